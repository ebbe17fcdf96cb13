// What Quorvel's start-up on Linux is measured against (startup.sh): a plain
// Qt window with the same standard controls, made from the same control table
// the simple way, each created at its place with its font and nothing more.
// No icon, no palette of its own, no session bus, no starting selections.

#include <QApplication>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <array>

#include "control_table.h"

using quorvel::ControlKind;
using quorvel::kForm1Controls;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Plain window"));
    window.setFixedSize(quorvel::Pixels(quorvel::kClientWidthTwips),
                        quorvel::Pixels(quorvel::kClientHeightTwips));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);

    std::array<QWidget*, kForm1Controls.size()> controls{};
    for (std::size_t row = 0; row < kForm1Controls.size(); ++row) {
        const quorvel::ControlRow& c = kForm1Controls[row];
        const auto container = quorvel::ContainerRow(row);
        QWidget* parent = container ? controls[*container] : &window;
        const QString text = QString::fromUtf8(c.text);
        QWidget* control = nullptr;
        switch (c.kind) {
            case ControlKind::Label:
                control = new QLabel(text, parent);
                break;
            case ControlKind::TextBox:
                control = new QLineEdit(text, parent);
                break;
            case ControlKind::Frame:
                control = new QWidget(parent);
                break;
            case ControlKind::BorderedFrame:
                control = new QGroupBox(parent);
                break;
            case ControlKind::OptionButton:
                control = new QRadioButton(text, parent);
                break;
            case ControlKind::CommandButton:
                control = new QPushButton(text, parent);
                break;
        }
        font.setBold(c.weight == quorvel::Weight::Bold);
        control->setFont(font);
        control->setGeometry(quorvel::Pixels(c.left), quorvel::Pixels(c.top),
                             quorvel::Pixels(c.width), quorvel::Pixels(c.height));
        controls[row] = control;
    }
    window.show();
    return QApplication::exec();
}
