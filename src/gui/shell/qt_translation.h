#pragma once
// Qt's own windows (the printer dialog, its page-range and copies fields,
// the standard buttons) speak the language of the rest of the program:
// Czech, whatever language the computer is set to.
class QCoreApplication;
class QString;

namespace talmorek::gui {

// Installs Qt's Czech translation on `application`, looked up in Qt's
// translations directory and then in "translations" beside the program,
// and over it the program's own catalogue of the printing windows' texts
// that Qt's translation leaves in English. False when Qt's translation was
// not found; only the texts of the program's catalogue are Czech then.
bool installCzechQtTranslation(QCoreApplication& application);

// The same from the given directories, in order; for tests.
bool installCzechQtTranslation(QCoreApplication& application, const QString& firstDir, const QString& secondDir);

}  // namespace talmorek::gui
