#include "handler_guard.h"

#include "dialogs.h"
#include "engine/runtime_error.h"

namespace quarnis {

QString ErrorBoxText(const QString& errorText)
{
    if (!errorText.isEmpty() && errorText.back().unicode() > u'.')
        return errorText + u'.';
    return errorText;
}

void ShowErrorBox(QWidget* parent, const std::exception& e)
{
    Dialogs::current().message(
        parent, kApplicationTitle, ErrorBoxText(QString::fromUtf8(e.what())), Dialogs::Icon::Stop);
}

} // namespace quarnis
