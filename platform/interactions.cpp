#include "platform/interactions.h"
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace fantrel::platform {

namespace {

// Before the window system's boxes are installed (a program without windows, a test
// of pure code): messages go to the log, questions and dialogs are declined.
Interactions interactions_sans_ecran()
{
    Interactions s;
    s.information = [](const QString &texte) { qInfo("%s", qUtf8Printable(texte)); };
    s.erreur = [](const QString &texte) { qWarning("%s", qUtf8Printable(texte)); };
    s.question = [](const QString &, bool avec_annuler) {
        return avec_annuler ? Reponse::Annuler : Reponse::Non;
    };
    s.ouvrir_fichier = [](const OptionsDialogue &) { return ResultatDialogue{}; };
    s.enregistrer_fichier = [](const OptionsDialogue &) { return ResultatDialogue{}; };
    s.attente = attente_reelle;
    s.sortie_son = sortie_silencieuse;
    return s;
}

} // namespace

QStringList filtres_qt(const QString &filtre)
{
    QStringList filtres;
    const QStringList parties = filtre.split(u'|');
    for (qsizetype i = 0; i + 1 < parties.size(); i += 2) {
        QString motifs = parties[i + 1];
        motifs.replace(u';', u' ');
        filtres << QStringLiteral("%1 (%2)").arg(parties[i], motifs.simplified());
    }
    return filtres;
}

void attente_reelle(int ms)
{
    // Timers and paints go on; clicks and keys stay queued until the deadline.
    QElapsedTimer chrono;
    chrono.start();
    const qint64 echeance_ns = qint64(ms) * 1'000'000;
    QEventLoop boucle;
    QTimer minuterie;
    minuterie.setSingleShot(true);
    minuterie.setTimerType(Qt::PreciseTimer);
    QObject::connect(&minuterie, &QTimer::timeout, &boucle, &QEventLoop::quit);
    for (;;) {
        const qint64 reste_ns = echeance_ns - chrono.nsecsElapsed();
        if (reste_ns <= 0)
            break;
        if (reste_ns >= 1'000'000) {
            minuterie.start(int(reste_ns / 1'000'000));
            boucle.exec(QEventLoop::ExcludeUserInputEvents);
        } else {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            QThread::yieldCurrentThread();
        }
    }
    // NOTE: the input held back is only looked at again when the window system wakes the
    // loop; without this nudge a click made during the wait would wait for the next event.
    if (auto *repartiteur = QCoreApplication::eventDispatcher())
        repartiteur->wakeUp();
}

Interactions &interactions()
{
    static Interactions courantes = interactions_sans_ecran();
    return courantes;
}

std::unique_ptr<SortieSon> sortie_silencieuse()
{
    return std::make_unique<SortieSon>();
}

RemplacementInteractions::RemplacementInteractions() : m_sauve(interactions()) { }

RemplacementInteractions::~RemplacementInteractions()
{
    interactions() = m_sauve;
}

} // namespace fantrel::platform
