#include "handler_guard.h"

#include "dialogs.h"
#include "engine/runtime_error.h"

namespace quarnis {

QString errorBoxText(const QString& errorText)
{
    if (!errorText.isEmpty() && errorText.back().unicode() > u'.')
        return errorText + u'.';
    return errorText;
}

void showErrorBox(Dialogs& dialogs, QWidget* parent, const std::exception& e)
{
    dialogs.message(
        parent, kApplicationTitle, errorBoxText(QString::fromUtf8(e.what())), Dialogs::Icon::Stop);
}

} // namespace quarnis
