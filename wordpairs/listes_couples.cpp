#include "wordpairs/listes_couples.h"
#include "platform/capacite_memo.h"
#include "platform/fichier_texte.h"
#include "wordpairs/listes_selection.h"
#include <algorithm>

namespace fantrel::wordpairs {

namespace {

// The characters at which a text box starts a new line when it is given text
// (QTextCursor::insertText); "\r\n" is one break.
bool coupe_la_ligne(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar(0xFDD0)
            || c == QChar(0xFDD1);
}

// The lines as a text box holds them once given: a line holding a break is two.
QStringList comme_dans_la_boite(const QStringList &lignes)
{
    const bool simples = std::none_of(lignes.begin(), lignes.end(), [](const QString &l) {
        return std::any_of(l.begin(), l.end(), coupe_la_ligne);
    });
    if (simples)
        return lignes;
    QStringList resultat;
    for (const QString &ligne : lignes) {
        qsizetype debut = 0;
        for (qsizetype i = 0; i < ligne.size(); ++i) {
            if (!coupe_la_ligne(ligne[i]))
                continue;
            resultat.append(ligne.mid(debut, i - debut));
            if (ligne[i] == u'\r' && i + 1 < ligne.size() && ligne[i + 1] == u'\n')
                ++i;
            debut = i + 1;
        }
        resultat.append(ligne.mid(debut));
    }
    return resultat;
}

// The entries of a whole text: at least one.
QStringList entrees_du_texte(const QStringList &lignes)
{
    QStringList entrees = comme_dans_la_boite(lignes);
    if (entrees.isEmpty())
        entrees.append(QString());
    return entrees;
}

// Lines added after the last one, into an empty last line when there is one.
void ajoute(QStringList &entrees, const QStringList &lignes)
{
    if (entrees.last().isEmpty())
        entrees.removeLast();
    entrees += lignes;
}

int nb_lignes(const QStringList &entrees)
{
    return int(entrees.size()) - (entrees.last().isEmpty() ? 1 : 0);
}

} // namespace

ListesCouples::ListesCouples(QObject *parent) : QObject(parent) { }

QStringList ListesCouples::logiciel() const
{
    return m_logiciel.mid(0, nb_logiciel());
}

QStringList ListesCouples::utilisateur() const
{
    return m_utilisateur.mid(0, nb_utilisateur());
}

int ListesCouples::nb_logiciel() const
{
    return nb_lignes(m_logiciel);
}

int ListesCouples::nb_utilisateur() const
{
    return nb_lignes(m_utilisateur);
}

bool ListesCouples::choisit(const QString &couple)
{
    if (refusee_au_double_clic(couple))
        return false;
    ajoute_utilisateur(couple);
    fin_des_deplacements();
    const qsizetype k = m_logiciel.lastIndexOf(couple);
    if (k >= 0)
        marque_ligne(int(k));
    return true;
}

bool ListesCouples::rend(const QString &couple)
{
    if (couple.isEmpty())
        return false;
    for (qsizetype k = m_logiciel.size() - 1; k >= 0; --k) {
        if (est_marque_du_couple(m_logiciel[k], couple)) {
            change_logiciel(int(k), couple);
            break;
        }
    }
    if (supprime_utilisateur(couple))
        fin_des_deplacements();
    return true;
}

// NOTE: the "Sélection" buttons change the user's list as the double-clicks do,
// so they count it as changed and refresh its count too.
void ListesCouples::choisit_lignes(const QStringList &lignes)
{
    bool change = false;
    for (const QString &ligne : lignes) {
        if (sautee_par_selection(ligne))
            continue;
        ajoute_utilisateur(ligne);
        const qsizetype k = m_logiciel.indexOf(ligne);
        if (k >= 0)
            marque_ligne(int(k));
        change = true;
    }
    if (change)
        fin_des_deplacements();
}

void ListesCouples::rend_lignes(const QStringList &lignes)
{
    bool change = false;
    for (const QString &ligne : lignes) {
        if (ligne.isEmpty())
            continue;
        for (qsizetype k = 0; k < m_logiciel.size(); ++k)
            if (est_marque_du_couple(m_logiciel[k], ligne))
                change_logiciel(int(k), ligne);
        change = supprime_utilisateur(ligne) || change;
    }
    if (change)
        fin_des_deplacements();
}

void ListesCouples::remplace_logiciel(const QStringList &lignes)
{
    m_logiciel = entrees_du_texte(lignes);
    emit logiciel_remplace(m_logiciel);
}

void ListesCouples::ajoute_trouves(const QStringList &couples)
{
    if (couples.isEmpty())
        return;
    QStringList lignes = comme_dans_la_boite(couples);
    for (QString &ligne : lignes)
        ligne = ligne_trouvee(ligne, choisis());
    ajoute(m_logiciel, lignes);
    emit logiciel_ajoute(lignes);
}

void ListesCouples::recherche_arretee()
{
    m_logiciel_a_sauver = true;
    emit compte_logiciel(nb_logiciel());
}

void ListesCouples::remplace_utilisateur(const QStringList &lignes)
{
    m_utilisateur = entrees_du_texte(lignes);
    m_choisis_a_jour = false;
    emit utilisateur_remplace(m_utilisateur);
}

void ListesCouples::saisie_utilisateur(int premiere, int nb_remplacees, const QStringList &lignes)
{
    const qsizetype debut = std::clamp<qsizetype>(premiere, 0, m_utilisateur.size());
    const qsizetype nb = std::clamp<qsizetype>(nb_remplacees, 0, m_utilisateur.size() - debut);
    const qsizetype communes = std::min(nb, lignes.size());
    for (qsizetype k = 0; k < communes; ++k)
        m_utilisateur[debut + k] = lignes[k];
    if (nb > communes)
        m_utilisateur.remove(debut + communes, nb - communes);
    for (qsizetype k = communes; k < lignes.size(); ++k)
        m_utilisateur.insert(debut + k, lignes[k]);
    if (m_utilisateur.isEmpty())
        m_utilisateur.append(QString());
    m_choisis_a_jour = false;
    m_liste_modifiee = true;
}

void ListesCouples::lit_utilisateur(const QString &chemin)
{
    const QStringList lignes = platform::lire_lignes_memo(chemin);
    remplace_utilisateur(lignes);
    emit utilisateur_lu(chemin);
    const int n = nb_logiciel();
    const QStringList marquees = marque_choisis(m_logiciel.mid(0, n), lignes);
    for (int k = 0; k < n; ++k)
        if (marquees[k] != m_logiciel[k])
            change_logiciel(k, marquees[k]);
}

void ListesCouples::ecrit_utilisateur(const QString &chemin)
{
    platform::ecrire_lignes(chemin, utilisateur());
    m_liste_modifiee = false;
}

void ListesCouples::lit_logiciel(const QString &chemin)
{
    remplace_logiciel(platform::lire_lignes_memo(chemin));
    emit logiciel_lu(chemin);
}

void ListesCouples::ecrit_logiciel(const QString &chemin)
{
    QStringList lignes = logiciel();
    for (QString &ligne : lignes)
        ligne = sans_marque(ligne);
    platform::ecrire_lignes(chemin, lignes);
    m_logiciel_a_sauver = false;
}

void ListesCouples::ecrit_trouves(const QString &chemin)
{
    platform::ecrire_lignes(chemin, logiciel());
}

void ListesCouples::ajoute_utilisateur(const QString &ligne)
{
    const QStringList lignes = comme_dans_la_boite({ ligne });
    ajoute(m_utilisateur, lignes);
    m_choisis_a_jour = false;
    emit utilisateur_ajoute(lignes);
}

void ListesCouples::marque_ligne(int numero)
{
    change_logiciel(numero, marque(m_logiciel[numero]));
}

void ListesCouples::change_logiciel(int numero, const QString &ligne)
{
    m_logiciel[numero] = ligne;
    emit ligne_logiciel_changee(numero, ligne);
}

// The last line equal to `ligne` goes; false when there is none.
bool ListesCouples::supprime_utilisateur(const QString &ligne)
{
    const qsizetype k = m_utilisateur.lastIndexOf(ligne);
    if (k < 0)
        return false;
    if (m_utilisateur.size() > 1)
        m_utilisateur.removeAt(k);
    else
        m_utilisateur[0].clear();
    m_choisis_a_jour = false;
    emit ligne_utilisateur_supprimee(int(k));
    return true;
}

void ListesCouples::fin_des_deplacements()
{
    m_liste_modifiee = true;
    emit compte_utilisateur(nb_utilisateur());
}

const QSet<QString> &ListesCouples::choisis() const
{
    if (!m_choisis_a_jour) {
        const QStringList lignes = utilisateur();
        m_choisis = QSet<QString>(lignes.begin(), lignes.end());
        m_choisis_a_jour = true;
    }
    return m_choisis;
}

} // namespace fantrel::wordpairs
