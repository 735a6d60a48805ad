#include "gui/shell/program_start.h"

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>

#include "gui/dialogs/message_box_prompts.h"
#include "gui/controls/screen_centre.h"
#include "core/data/directories.h"

namespace talmorek::gui {
namespace {

// A plain box, no icon, centred on the screen: nothing else of the program
// exists yet.
void tellAlreadyRunning() {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kApplicationTitle),
                    QStringLiteral("Aplikace již spuštěna !!!"), QMessageBox::NoButton);
    box.setObjectName(QStringLiteral("MessageBox"));
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.adjustSize();
    centreOnScreen(box);
    box.exec();
}

std::vector<std::string> toStd(const QStringList& list) {
    std::vector<std::string> out;
    for (const QString& s : list) out.push_back(s.toStdString());
    return out;
}

}  // namespace

std::unique_ptr<ProgramSession> startProgram(const StartOptions& options, ShellServices services,
                                             StartRefusal* refusal) {
    if (refusal) *refusal = StartRefusal::None;
    auto instance = std::make_unique<SingleInstance>(options.lockPath);
    if (!instance->acquire()) {
        if (instance->lockUnavailable()) {
            showMessage(nullptr, QMessageBox::Critical,
                        QStringLiteral("Program nelze spustit: soubor zámku %1 nelze vytvořit "
                                       "(adresář chybí nebo do něj nelze zapisovat).")
                            .arg(QDir::toNativeSeparators(instance->path())),
                        QStringLiteral("Spuštění aplikace"));
            if (refusal) *refusal = StartRefusal::LockUnavailable;
            return nullptr;
        }
        tellAlreadyRunning();
        if (refusal) *refusal = StartRefusal::AlreadyRunning;
        return nullptr;
    }
    QCoreApplication::setApplicationName(QString::fromLatin1(kApplicationTitle));

    const auto dirs = data::chooseDirectories(
        options.executablePath.toStdString(), toStd(options.arguments),
        [](const std::string& programDir) { return data::hasFileIgnoringCase(programDir, "STANICE.RCD"); });
    if (!dirs) {
        showMessage(nullptr, QMessageBox::Warning,
                    QStringLiteral("Program je nutno pouštět ikonou na ploše nebo z nabídky Start!"),
                    QStringLiteral("Spuštění aplikace"));
        if (refusal) *refusal = StartRefusal::NoStation;
        return nullptr;
    }

    auto session = std::make_unique<ProgramSession>();
    session->instance = std::move(instance);
    session->mainWindow = std::make_unique<TPS_menu>(*dirs, std::move(services));
    return session;
}

}  // namespace talmorek::gui
