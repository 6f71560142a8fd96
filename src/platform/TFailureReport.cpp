#include "TFailureReport.h"
#include "EError.h"
#include "TMessageBox.h"

namespace {
const QString kCaption = QStringLiteral("Error");
}

void TFailureReport::Show(const std::exception& failure)
{
    const auto* error = dynamic_cast<const EError*>(&failure);
    TMessageBox::Show(error ? error->Message() : QString::fromLocal8Bit(failure.what()), kCaption);
}

void TFailureReport::Show(const std::exception_ptr& failure)
{
    try {
        if (failure)
            std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        Show(e);
        return;
    } catch (...) {
        // Anything else carries no text; the box below names it.
    }
    TMessageBox::Show(QStringLiteral("Unexpected error"), kCaption);
}
