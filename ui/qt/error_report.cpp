#include "error_report.h"

#include <QMessageBox>

#include "calculate_step.h"

namespace quorvel {

void ShowRunTimeError(QWidget* window, const RunTimeError& error) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kErrorReportTitle),
                    QString::fromStdString(ErrorReportText(error)), QMessageBox::Ok, window);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace quorvel
