#include "platform/application.h"
#include "platform/erreurs.h"
#include "platform/boites_dialogue.h"
#include <QLibraryInfo>
#include <QLocale>
#include <cstring>
#include <dlfcn.h>
#include <link.h>
#include <QTranslator>

namespace fantrel::platform {

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Fantrel"));
    setApplicationVersion(QStringLiteral(FANTREL_VERSION));
    interactions() = interactions_reelles();
    // The dialogs speak French whatever the machine's language; the regional number
    // settings stay the machine's, since the settings file is written with them.
    const QLocale francais(QLocale::French, QLocale::France);
    const QString dossier = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *nom : { "qtbase", "qt" }) {
        auto *traducteur = new QTranslator(this);
        if (traducteur->load(francais, QString::fromLatin1(nom), QStringLiteral("_"), dossier))
            installTranslator(traducteur);
        else
            delete traducteur;
    }
}

bool Application::notify(QObject *destinataire, QEvent *evenement)
{
    try {
        return QApplication::notify(destinataire, evenement);
    } catch (const ErreurExecution &e) {
        montre_erreur(e.message());
        return true;
    }
}

void garde_pilote_gl_charge()
{
    dl_iterate_phdr(
            [](dl_phdr_info *info, std::size_t, void *) {
                if (info->dlpi_name && std::strstr(info->dlpi_name, "_dri.so"))
                    dlopen(info->dlpi_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
                return 0;
            },
            nullptr);
}

} // namespace fantrel::platform
