// Form1 against its design: every control's kind, place, text, font and tab
// position; no caption cut off, nothing drawn over anything else; and the
// rendered window.

#include "form1.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QTest>

#include <algorithm>
#include <climits>
#include <map>
#include <memory>

#include "starting_fix.h"
#include "window_design.h"

using quorvel::Form1;
using quorvel::test::Design;
using quorvel::test::Designed;
using quorvel::test::Find;
using quorvel::test::kDesign;
using quorvel::test::Kind;

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kCreditRightTwips = 8895;

QRect DesignedRect(const Designed& d) {
    return {d.left / kTwipsPerPixel, d.top / kTwipsPerPixel, d.width / kTwipsPerPixel,
            d.height / kTwipsPerPixel};
}

// The part of a control that is not cut off by its containers, in its own
// coordinates.
QRect VisibleRect(const QWidget* control) {
    QRect visible = control->rect();
    for (const QWidget* w = control; !w->isWindow(); w = w->parentWidget()) {
        const QWidget* parent = w->parentWidget();
        visible &= QRect(control->mapFrom(parent, QPoint(0, 0)), parent->size());
    }
    return visible;
}

// Width the text needs in pixels: its advance, or its ink where a glyph
// overhangs the advance.
int TextWidth(const QFontMetrics& fm, const QString& text) {
    return std::max(fm.horizontalAdvance(text), fm.boundingRect(text).right() + 1);
}

QStyleOptionButton ButtonOption(const QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    return option;
}

// The rectangle a line edit draws its text in, as QLineEdit lays it out:
// inside the frame, less the text margins and two pixels each side.
QRect LineEditTextRect(const QLineEdit* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    if (box->isReadOnly()) {
        option.state |= QStyle::State_ReadOnly;
    }
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box) -
                           box->textMargins();
    constexpr int kHorizontalMargin = 2;
    return contents.adjusted(kHorizontalMargin, 0, -kHorizontalMargin, 0);
}

struct Space {
    QRect text;  // where the text may go, in the control's coordinates
    int needed;  // width the text needs
    int lineHeight;
    bool centred;  // text centred vertically in `text` rather than from its top
};

// Where a control shows its caption or text, and what that text needs.
Space TextSpace(const QWidget* control) {
    const QFontMetrics fm(control->font());
    const QRect visible = VisibleRect(control);
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        // A blank at the end draws nothing ("Degrees are in 'DD.MMddd'
        // convention " has one); only what shows has to fit.
        static const QRegularExpression trailingBlanks(QStringLiteral("\\s+$"));
        const QString shown = label->text().remove(trailingBlanks);
        return {label->contentsRect() & visible, TextWidth(fm, shown), fm.height(), false};
    }
    if (const auto* button = qobject_cast<const QRadioButton*>(control)) {
        const QStyleOptionButton option = ButtonOption(button);
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
        return {contents & visible, TextWidth(fm, button->text()), fm.height(), true};
    }
    if (const auto* button = qobject_cast<const QPushButton*>(control)) {
        const QStyleOptionButton option = ButtonOption(button);
        const QRect contents =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return {contents & visible, TextWidth(fm, button->text()), fm.height(), true};
    }
    if (const auto* box = qobject_cast<const QLineEdit*>(control)) {
        // One pixel more for the cursor, or the box scrolls the text.
        return {LineEditTextRect(box) & visible, TextWidth(fm, box->text()) + 1, fm.height(), true};
    }
    qFatal("%s shows no text", qPrintable(control->objectName()));
}

// What a control puts on the screen, in window coordinates: a label only its
// text, an option button its indicator and letter, anything else its box.
QRect Ink(const QWidget* control, const QWidget* window) {
    QRect ink;
    if (qobject_cast<const QLabel*>(control) != nullptr) {
        const Space space = TextSpace(control);
        ink = QRect(space.text.topLeft(), QSize(space.needed, space.lineHeight));
    } else if (const auto* button = qobject_cast<const QRadioButton*>(control)) {
        const QStyleOptionButton option = ButtonOption(button);
        const Space space = TextSpace(control);
        const QRect text(space.text.left(),
                         space.text.top() + (space.text.height() - space.lineHeight) / 2,
                         space.needed, space.lineHeight);
        ink = (button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button) |
               text) &
              VisibleRect(control);
    } else {
        ink = VisibleRect(control);
    }
    return ink.translated(control->mapTo(window, QPoint(0, 0)));
}

std::map<QString, int> worstMargin;  // by kind of control, pixels to spare

}  // namespace

class Form1LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void windowIsFixedAndCaptioned();
    void fontIsMetricCompatible();
    void controlMatchesDesign_data();
    void controlMatchesDesign();
    void controlsAreCreatedInDesignOrder();
    void focusChainFollowsTabIndex();
    void creditLabelsLineUp();
    void fixBoxHasButtonFace();
    void textFits_data();
    void textFits();
    void optionIndicatorsShowWhole_data();
    void optionIndicatorsShowWhole();
    void nothingDrawnOverAnythingElse();
    void rendersTheWindow();

private:
    std::unique_ptr<Form1> form_;
};

void Form1LayoutTest::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    form_ = std::make_unique<Form1>();
    form_->setErrorReporter([](QWidget*, const quorvel::RunTimeError& e) {
        QFAIL(qPrintable(QString::fromStdString(e.message())));
    });
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    // The fix text must fit as well as the starting entries.
    QTest::mouseClick(Find<QPushButton>(form_.get(), "Command1"), Qt::LeftButton);
    QCOMPARE(Find<QLineEdit>(form_.get(), "FixLL")->text(),
             QString::fromLatin1(quorvel::testing::kStartingFix));
}

void Form1LayoutTest::cleanupTestCase() {
    for (const auto& [kind, margin] : worstMargin) {
        qInfo("narrowest fit, %s: %d px to spare", qPrintable(kind), margin);
    }
    form_.reset();
}

void Form1LayoutTest::windowIsFixedAndCaptioned() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Kestrane Quorvel"));
    const QSize client(9060 / kTwipsPerPixel, 4005 / kTwipsPerPixel);
    QCOMPARE(client, QSize(604, 267));
    QCOMPARE(form_->size(), client);
    QCOMPARE(form_->minimumSize(), client);
    QCOMPARE(form_->maximumSize(), client);
    QCOMPARE(form_->font().weight(), QFont::Bold);
    QCOMPARE(QFontInfo(form_->font()).pixelSize(), 11);
}

void Form1LayoutTest::fontIsMetricCompatible() {
    // DejaVu Sans, fontconfig's stand-in for "MS Sans Serif", cuts captions.
    const QStringList compatible{"MS Sans Serif", "Liberation Sans", "Arimo", "Arial", "Helvetica"};
    for (const char* name : {"Label1", "Label2", "Time1", "Command1", "A1_T"}) {
        const QFont font = Find(form_.get(), name)->font();
        QCOMPARE(font.families().value(0), QStringLiteral("MS Sans Serif"));
        const QString family = QFontInfo(font).family();
        QVERIFY2(compatible.contains(family),
                 qPrintable(QStringLiteral("%1 shows in %2; install fonts-liberation2")
                                .arg(QLatin1String(name), family)));
    }
}

void Form1LayoutTest::controlMatchesDesign_data() {
    QTest::addColumn<int>("row");
    for (int row = 0; row < static_cast<int>(kDesign.size()); ++row) {
        QTest::newRow(kDesign[static_cast<std::size_t>(row)].name) << row;
    }
}

void Form1LayoutTest::controlMatchesDesign() {
    QFETCH(int, row);
    const Designed& d = kDesign[static_cast<std::size_t>(row)];
    const QString name = QString::fromLatin1(d.name);
    QCOMPARE(form_->findChildren<QWidget*>(name).size(), 1);
    QWidget* control = Find(form_.get(), d.name);

    const QWidget* container = d.in == nullptr ? form_.get() : Find(form_.get(), d.in);
    QCOMPARE(control->parentWidget(), container);
    QCOMPARE(d.left % kTwipsPerPixel + d.top % kTwipsPerPixel + d.width % kTwipsPerPixel +
                 d.height % kTwipsPerPixel,
             0);
    QCOMPARE(control->geometry(), DesignedRect(d));
    QCOMPARE(control->font().weight(), d.bold ? QFont::Bold : QFont::Normal);
    QCOMPARE(QFontInfo(control->font()).pixelSize(), 11);

    QString text;
    switch (d.kind) {
        case Kind::Label: {
            auto* label = qobject_cast<QLabel*>(control);
            QVERIFY(label != nullptr);
            QCOMPARE(label->textFormat(), Qt::PlainText);
            text = label->text();
            QCOMPARE(control->focusPolicy(), Qt::NoFocus);
            break;
        }
        case Kind::TextBox: {
            auto* box = qobject_cast<QLineEdit*>(control);
            QVERIFY(box != nullptr);
            QCOMPARE(box->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
            QCOMPARE(box->maxLength(), INT_MAX);
            QCOMPARE(box->isReadOnly(), name == QLatin1String("FixLL"));
            text = name == QLatin1String("FixLL") ? QString() : box->text();
            break;
        }
        case Kind::Frame:
            // A plain container: no border, no caption, never focused.
            QCOMPARE(control->metaObject(), &QWidget::staticMetaObject);
            QCOMPARE(control->focusPolicy(), Qt::NoFocus);
            text = QString::fromLatin1("");
            break;
        case Kind::BorderedFrame: {
            auto* frame = qobject_cast<QGroupBox*>(control);
            QVERIFY(frame != nullptr);
            QVERIFY(!frame->isFlat());
            QVERIFY(!frame->isCheckable());
            QCOMPARE(frame->focusPolicy(), Qt::NoFocus);
            text = frame->title();
            break;
        }
        case Kind::Option: {
            auto* button = qobject_cast<QRadioButton*>(control);
            QVERIFY(button != nullptr);
            QVERIFY(button->autoExclusive());
            QCOMPARE(button->isChecked(), d.selected);
            text = button->text();
            break;
        }
        case Kind::Command: {
            auto* button = qobject_cast<QPushButton*>(control);
            QVERIFY(button != nullptr);
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
            text = button->text();
            break;
        }
    }
    if (d.text != nullptr) {
        QCOMPARE(text, QString::fromUtf8(d.text));
    } else {
        QVERIFY2(!text.trimmed().isEmpty(), "a credit label without a text");
    }
}

void Form1LayoutTest::controlsAreCreatedInDesignOrder() {
    // Later siblings lie on top, so the order decides which of two
    // overlapping option buttons takes a click on their shared pixel row.
    for (const QWidget* container :
         {static_cast<QWidget*>(form_.get()), Find(form_.get(), "Frame1"),
          Find(form_.get(), "Frame2"), Find(form_.get(), "Frame3"), Find(form_.get(), "Frame5"),
          Find(form_.get(), "Frame6"), Find(form_.get(), "Frame7")}) {
        QStringList designed;
        for (const Designed& d : kDesign) {
            const bool here = d.in == nullptr ? container == form_.get()
                                              : container->objectName() == QLatin1String(d.in);
            if (here) {
                designed << QString::fromLatin1(d.name);
            }
        }
        QStringList created;
        for (const QObject* child : container->children()) {
            if (child->isWidgetType() && !child->objectName().isEmpty()) {
                created << child->objectName();
            }
        }
        QCOMPARE(created, designed);
    }
}

void Form1LayoutTest::focusChainFollowsTabIndex() {
    // Every control that can take the focus, cleared option buttons too, in
    // the focus chain in TabIndex order.
    std::vector<const Designed*> focusable;
    for (const Designed& d : kDesign) {
        if (d.kind == Kind::TextBox || d.kind == Kind::Option || d.kind == Kind::Command) {
            focusable.push_back(&d);
        }
    }
    std::ranges::sort(focusable, {}, &Designed::tabIndex);
    QStringList designed;
    for (const Designed* d : focusable) {
        designed << QString::fromLatin1(d->name);
    }

    QStringList chain;
    const QWidget* first = Find(form_.get(), designed.first().toLatin1().constData());
    const QWidget* w = first;
    do {
        if (designed.contains(w->objectName())) {
            chain << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w != first);
    QCOMPARE(chain, designed);
}

void Form1LayoutTest::creditLabelsLineUp() {
    const int right = kCreditRightTwips / kTwipsPerPixel;
    QString credits;
    for (const char* name : {"Label12", "Label13", "Label16", "Zn1", "Zn2", "FixLL"}) {
        const QWidget* control = Find(form_.get(), name);
        QCOMPARE(control->geometry().left() + control->geometry().width(), right);
        if (auto* label = qobject_cast<const QLabel*>(control)) {
            credits += label->text() + QLatin1Char('\n');
        }
    }
    QVERIFY2(credits.contains(QRegularExpression(QStringLiteral("\\b(19|20)\\d\\d\\b"))),
             "no year in the notice");
    QVERIFY(credits.contains(QStringLiteral("Marlowen")));
    // A reserved domain: the address can never reach someone else's site.
    QVERIFY(credits.contains(QRegularExpression(QStringLiteral("\\b[a-z0-9.-]+\\.example\\b"))));
}

void Form1LayoutTest::fixBoxHasButtonFace() {
    const auto* box = Find<QLineEdit>(form_.get(), "FixLL");
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        QCOMPARE(box->palette().color(group, QPalette::Base),
                 box->palette().color(group, QPalette::Button));
    }
    // The entry boxes keep the ordinary entry background.
    const auto* entry = Find<QLineEdit>(form_.get(), "Zn1");
    QCOMPARE(entry->palette().color(QPalette::Base), form_->palette().color(QPalette::Base));
}

void Form1LayoutTest::textFits_data() {
    QTest::addColumn<QString>("control");
    for (const Designed& d : kDesign) {
        if (d.kind != Kind::Frame && d.kind != Kind::BorderedFrame) {
            QTest::newRow(d.name) << QString::fromLatin1(d.name);
        }
    }
}

void Form1LayoutTest::textFits() {
    QFETCH(QString, control);
    const QWidget* widget = Find(form_.get(), qPrintable(control));
    const Space space = TextSpace(widget);
    const QString what = QStringLiteral("%1 needs %2 x %3 px, has %4 x %5")
                             .arg(control)
                             .arg(space.needed)
                             .arg(space.lineHeight)
                             .arg(space.text.width())
                             .arg(space.text.height());
    QVERIFY2(space.needed <= space.text.width(), qPrintable(what));
    QVERIFY2(space.lineHeight <= space.text.height(), qPrintable(what));
    // A control's own box must also lie inside the window.
    QVERIFY(form_->rect().contains(
        QRect(widget->mapTo(form_.get(), space.text.topLeft()), space.text.size())));

    const QString kind = QString::fromLatin1(widget->metaObject()->className());
    const int margin =
        std::min(space.text.width() - space.needed, space.text.height() - space.lineHeight);
    const auto it = worstMargin.find(kind);
    worstMargin[kind] = it == worstMargin.end() ? margin : std::min(it->second, margin);
    const auto all = worstMargin.find(QStringLiteral("any control"));
    worstMargin[QStringLiteral("any control")] =
        all == worstMargin.end() ? margin : std::min(all->second, margin);
}

void Form1LayoutTest::optionIndicatorsShowWhole_data() {
    QTest::addColumn<QString>("control");
    for (const Designed& d : kDesign) {
        if (d.kind == Kind::Option) {
            QTest::newRow(d.name) << QString::fromLatin1(d.name);
        }
    }
}

void Form1LayoutTest::optionIndicatorsShowWhole() {
    QFETCH(QString, control);
    const auto* button = Find<QRadioButton>(form_.get(), qPrintable(control));
    const QStyleOptionButton option = ButtonOption(button);
    const QRect indicator =
        button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
    QVERIFY2(VisibleRect(button).contains(indicator),
             qPrintable(QStringLiteral("indicator %1,%2 %3x%4 cut off")
                            .arg(indicator.x())
                            .arg(indicator.y())
                            .arg(indicator.width())
                            .arg(indicator.height())));
    // Same size in every group, whichever box it sits in.
    const auto* reference = Find<QRadioButton>(form_.get(), "A1_T");
    const QStyleOptionButton referenceOption = ButtonOption(reference);
    QCOMPARE(indicator.size(),
             reference->style()
                 ->subElementRect(QStyle::SE_RadioButtonIndicator, &referenceOption, reference)
                 .size());
}

void Form1LayoutTest::nothingDrawnOverAnythingElse() {
    struct Drawn {
        const Designed* design;
        QRect ink;
    };
    std::vector<Drawn> drawn;
    for (const Designed& d : kDesign) {
        if (d.kind != Kind::Frame) {  // a borderless frame draws nothing
            drawn.push_back({&d, Ink(Find(form_.get(), d.name), form_.get())});
        }
    }
    QStringList clashes;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        for (std::size_t j = i + 1; j < drawn.size(); ++j) {
            const Designed& a = *drawn[i].design;
            const Designed& b = *drawn[j].design;
            const bool contained = (a.in != nullptr && std::string_view(a.in) == b.name) ||
                                   (b.in != nullptr && std::string_view(b.in) == a.name);
            // The two buttons of a hemisphere pair share a pixel row by design.
            const bool pair = a.in != nullptr && b.in != nullptr &&
                              std::string_view(a.in) == b.in && Design(a.in).kind == Kind::Frame;
            if (!contained && !pair && drawn[i].ink.intersects(drawn[j].ink)) {
                clashes << QStringLiteral("%1/%2").arg(QLatin1String(a.name),
                                                       QLatin1String(b.name));
            }
        }
    }
    QCOMPARE(clashes, QStringList());
}

void Form1LayoutTest::rendersTheWindow() {
    const QImage image = form_->grab().toImage();
    QCOMPARE(image.size(), form_->size() * form_->devicePixelRatio());

    // The fix box shows the button face behind its text, the entries do not.
    const auto* box = Find<QLineEdit>(form_.get(), "FixLL");
    const QPoint blank = box->mapTo(form_.get(), QPoint(box->width() - 6, box->height() / 2));
    QCOMPARE(image.pixelColor(blank * form_->devicePixelRatio()).rgb(),
             box->palette().color(QPalette::Button).rgb());
    const auto* entry = Find<QLineEdit>(form_.get(), "Zn1");
    const QPoint entryBlank =
        entry->mapTo(form_.get(), QPoint(entry->width() - 6, entry->height() / 2));
    QCOMPARE(image.pixelColor(entryBlank * form_->devicePixelRatio()).rgb(),
             entry->palette().color(QPalette::Base).rgb());

    const QString path = qEnvironmentVariable("QUORVEL_SCREENSHOT");
    if (!path.isEmpty()) {
        QVERIFY2(image.save(path), qPrintable(path));
        qInfo("window rendered to %s", qPrintable(path));
    }
}

QTEST_MAIN(Form1LayoutTest)
#include "form1_layout_test.moc"
