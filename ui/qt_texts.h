#pragma once
// Qt's own texts in Turkish: the edit fields' menus, the file, colour and print dialogs, the
// buttons of the boxes and the names of keys in menus and hints. They come from Qt's Turkish
// catalogue (qtbase_tr), installed whatever LANG, LC_ALL and LANGUAGE say, with a few
// corrections of ours over it. The program's own texts are written in the code and never pass
// through a catalogue.

#include <QLibraryInfo>
#include <QString>

class QCoreApplication;

namespace quarnis {

// The default QLocale becomes Turkish, so that what Qt writes by the locale follows Turkish
// custom too: file types ("PNG görüntüsü"), sizes ("12,5 KB"). The program's number texts
// never read it: the engine writes and reads them with ".".
//
// Then Qt's catalogue from `folder` and the corrections are installed for the application.
// False when the catalogue is not there (a source build without Qt's translations): Qt's
// texts stay English, the program's are the same either way.
bool useTurkishForQt(QCoreApplication& app,
    const QString& folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

// The format of a progress bar's text in Turkish: the percent sign before the number ("%51");
// Qt puts it after whatever the locale.
inline const QString kTurkishPercentFormat = QStringLiteral("%%p");

} // namespace quarnis
