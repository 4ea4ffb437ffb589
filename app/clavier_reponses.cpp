#include "app/clavier_reponses.h"
#include <QAbstractSpinBox>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWindow>

namespace fantrel::app {

namespace {
using Horloge = std::chrono::steady_clock;
constexpr quint32 age_maximal_ms = 60'000;

bool saisie_de_texte(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w)
            || qobject_cast<const QTextEdit *>(w) || qobject_cast<const QAbstractSpinBox *>(w)
            || (w && qobject_cast<const QKeySequenceEdit *>(w->parentWidget()));
}

bool correspond(const QKeySequence &touche, const QKeyEvent *e)
{
    if (touche.isEmpty())
        return false;
    const Qt::KeyboardModifiers modificateurs = e->modifiers() & ~Qt::KeypadModifier;
    return touche[0] == QKeyCombination(modificateurs, Qt::Key(e->key()));
}
} // namespace

// NOTE: X servers and Wayland compositors stamp input events with CLOCK_MONOTONIC in
// ms, the clock steady_clock reads on Linux; only the low 32 bits are kept.
Horloge::time_point instant_evenement(quint64 horodatage_ms)
{
    const Horloge::time_point maintenant = Horloge::now();
    const auto ms_maintenant = std::chrono::duration_cast<std::chrono::milliseconds>(
            maintenant.time_since_epoch());
    const quint32 age = quint32(ms_maintenant.count()) - quint32(horodatage_ms);
    if (horodatage_ms == 0 || age > age_maximal_ms)
        return maintenant;
    return Horloge::time_point(ms_maintenant - std::chrono::milliseconds(age))
            + std::chrono::microseconds(500);
}

quint64 horodatage_evenement(Horloge::time_point instant)
{
    return quint32(std::chrono::duration_cast<std::chrono::milliseconds>(instant.time_since_epoch())
                           .count());
}

ClavierReponses::ClavierReponses(QWidget *fenetre) : QObject(fenetre), m_fenetre(fenetre)
{
    definir_touches(ReglagesEtendus{});
    qApp->installEventFilter(this);
}

void ClavierReponses::definir_touches(const ReglagesEtendus &r)
{
    const auto touche = [](const QString &texte) {
        return QKeySequence(texte, QKeySequence::PortableText);
    };
    m_gauche = touche(r.touche_gauche);
    m_droite = touche(r.touche_droite);
    m_ne_sait_pas = touche(r.touche_ne_sait_pas);
    m_depart = touche(r.touche_depart);
}

bool ClavierReponses::eventFilter(QObject *cible, QEvent *evenement)
{
    const auto type = evenement->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride)
        return QObject::eventFilter(cible, evenement);
    // One event per key: the one that reaches the focused control, or the 3D view's
    // own window when it has the focus (not the top-level's, which hands it on).
    // NOTE: judged by the target's window, not the active one: without a window
    // manager no window is ever active.
    const auto *natif = qobject_cast<QWindow *>(cible);
    const bool vue_native = natif && !cible->inherits("QWidgetWindow") && m_fenetre->windowHandle()
            && natif->parent(QWindow::IncludeTransients) == m_fenetre->windowHandle();
    const auto *w = cible->isWidgetType() ? static_cast<QWidget *>(cible) : nullptr;
    // NOTE: a key a control ignores (Enter in a text box) climbs to the window: it
    // stays that control's.
    if (w && w != m_fenetre)
        m_transmis = evenement;
    else if (w && evenement == m_transmis) {
        m_transmis = nullptr;
        return false;
    }
    const bool controle = w && w->window() == m_fenetre
            && (w == QApplication::focusWidget() || w == m_fenetre);
    if (!vue_native && !controle)
        return false;
    auto *e = static_cast<QKeyEvent *>(evenement);
    if (saisie_de_texte(QApplication::focusWidget()))
        return false;
    const bool gauche = correspond(m_gauche, e), droite = correspond(m_droite, e);
    const bool ne_sait_pas = correspond(m_ne_sait_pas, e), demarre = correspond(m_depart, e);
    if (!gauche && !droite && !ne_sait_pas && !demarre)
        return false;
    if (type == QEvent::ShortcutOverride || e->isAutoRepeat())
        return true; // ours: no shortcut or button takes it, a held key answers once
    const trials::ActeReponse acte{ instant_evenement(e->timestamp()),
                                    trials::FaconReponse::clavier };
    if (gauche)
        emit reponse(trials::Cote::gauche, acte);
    else if (droite)
        emit reponse(trials::Cote::droite, acte);
    else if (ne_sait_pas)
        emit je_ne_sais_pas(acte);
    else
        emit depart();
    return true;
}

} // namespace fantrel::app
