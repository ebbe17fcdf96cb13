#include "error_report.h"

#include <QMessageBox>

namespace quorvel {

QString RunTimeErrorHeading(const RunTimeError& error) {
    return QStringLiteral("Run-time error '%1':").arg(error.code());
}

void ShowRunTimeError(QWidget* window, const RunTimeError& error) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Quorvel"),
                    RunTimeErrorHeading(error) + QStringLiteral("\n\n") +
                        QString::fromStdString(error.message()),
                    QMessageBox::Ok, window);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace quorvel
