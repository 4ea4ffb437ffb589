// The settings reader's conversions, on a settings file of any content.
// Properties: every line converts as an integer and as a real exactly when a plain
// reference of the run-time's forms accepts it, to the same value; the general real
// format reads back; a file that reads whole is written again (under both decimal
// separators) and reads back to the same values.
#include "app/param_lignes.h"
#include "commun.h"
#include "platform/conversions.h"
#include "platform/erreurs.h"
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

using namespace fantrel;

namespace {

template<class F>
auto essaie(F f) -> std::optional<decltype(f())>
{
    try {
        return f();
    } catch (const platform::ErreurExecution &) {
        return std::nullopt;
    }
}

// Blanks (spaces only), a sign, decimal digits; 32 bits.
std::optional<int> entier_reference(const QString &t)
{
    static const QRegularExpression forme(QStringLiteral("^ *([+-]?)0*([0-9]+)$"));
    const auto m = forme.match(t);
    if (!m.hasMatch())
        return std::nullopt;
    const QString chiffres = m.captured(2);
    if (chiffres.size() > 11)
        return std::nullopt;
    const long long v = (m.captured(1) == u"-" ? -1 : 1) * chiffres.toLongLong();
    if (v < INT32_MIN || v > INT32_MAX)
        return std::nullopt;
    return int(v);
}

// Blanks, a sign, digits with one separator (a digit on either side), an exponent
// "E" or "e" with its own sign and digits, blanks; overflow fails, underflow is 0.
std::optional<double> reel_reference(const QString &t, QChar sep)
{
    static const QRegularExpression virgule(
            QStringLiteral("^ *([+-]?)([0-9]*)(?:,([0-9]*))?(?:[eE]([+-]?[0-9]+))? *$"));
    static const QRegularExpression point(
            QStringLiteral("^ *([+-]?)([0-9]*)(?:\\.([0-9]*))?(?:[eE]([+-]?[0-9]+))? *$"));
    Q_ASSERT(sep == u',' || sep == u'.');
    const auto m = (sep == u',' ? virgule : point).match(t);
    if (!m.hasMatch() || m.captured(2).size() + m.captured(3).size() == 0)
        return std::nullopt;
    std::string c = (m.captured(1) == u"-" ? "-" : "") + m.captured(2).toStdString() + "."
            + m.captured(3).toStdString();
    if (c.size() == 1 || c == "-.")
        return std::nullopt;
    if (m.capturedLength(4) > 0)
        c += "e" + m.captured(4).toStdString();
    errno = 0;
    const double v = std::strtod(c.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(v))
        return std::nullopt;
    if (errno == ERANGE && std::abs(v) < 1)
        return std::fabs(v) == 0 || std::fpclassify(v) == FP_SUBNORMAL ? std::optional<double>(v)
                                                                       : std::optional<double>(0.0);
    return v;
}

bool meme_reel(double a, double b)
{
    return a == b || (std::fabs(a) < 1e-300 && std::fabs(b) < 1e-300);
}

void verifie_ligne(const QString &t)
{
    const auto e = essaie([&] { return platform::vers_entier(t); });
    const auto e_ref = entier_reference(t);
    FUZZ_VERIFIE(e.has_value() == e_ref.has_value() && (!e || *e == *e_ref),
                 "entier comme la référence", t);
    if (e)
        FUZZ_VERIFIE(platform::vers_entier(QString::number(*e)) == *e, "un entier écrit se relit",
                     t);

    for (QChar sep : { QChar(u','), QChar(u'.') }) {
        const auto r = essaie([&] { return platform::vers_reel(t, sep); });
        const auto r_ref = reel_reference(t, sep);
        FUZZ_VERIFIE(r.has_value() == r_ref.has_value() && (!r || meme_reel(*r, *r_ref)),
                     "réel comme la référence",
                     t + QStringLiteral(" → %1 / %2").arg(r.value_or(-1)).arg(r_ref.value_or(-1)));
        if (!r)
            continue;
        const QString ecrit = platform::reel_general(*r, sep);
        const auto relu = essaie([&] { return platform::vers_reel(ecrit, sep); });
        FUZZ_VERIFIE(relu.has_value(), "un réel écrit au format général se relit",
                     t + QStringLiteral(" → ") + ecrit);
        FUZZ_VERIFIE(std::fabs(*relu - *r) <= 1e-14 * std::fabs(*r),
                     "quinze chiffres significatifs", t + QStringLiteral(" → ") + ecrit);
        const float f = float(*r);
        if (std::isfinite(f)) {
            const QString ecrit_f = platform::reel_general(double(f), sep);
            FUZZ_VERIFIE(float(platform::vers_reel(ecrit_f, sep)) == f,
                         "un réel simple précision se relit exactement", ecrit_f);
        }
    }
}

// The values lire_param puts into the controls, in the file's order; nullopt where
// the first conversion fails (the rest of the file is then not read).
std::optional<app::ValeursParam> lit(const QStringList &fichier)
{
    const app::LignesParam l(fichier);
    return essaie([&] {
        app::ValeursParam v;
        v.fichier = l.texte(1);
        v.intervalle = l.texte(2);
        app::entier_avant_blanc(v.intervalle);
        v.masque = l.texte(3);
        v.hauteur = std::clamp(l.entier(4), 0, 400);
        v.largeur = std::clamp(l.entier(5), 0, 400);
        v.rouge = float(l.reel(6));
        v.vert = float(l.reel(7));
        v.bleu = float(l.reel(8));
        v.fond = l.entier(9);
        if (l.nombre() > 9) {
            v.masque1 = l.texte(10);
            v.duree_masque1 = std::clamp(l.entier(11), 0, 100);
            v.duree_mot = std::clamp(l.entier(12), 0, 100);
            v.duree_blanc = std::clamp(l.entier(13), 0, 100);
            v.masque2 = l.texte(14);
            v.duree_masque2 = std::clamp(l.entier(15), 0, 100);
        }
        v.incongruite = std::clamp(l.entier(16), -1, 2);
        v.decalage = l.texte(17);
        return v;
    });
}

QString decrit(const app::ValeursParam &v)
{
    return fuzz::montre(lignes_param(v, u'.'));
}

bool memes_nombres(const app::ValeursParam &a, const app::ValeursParam &b)
{
    auto bits = [](float x) { return std::isnan(x) ? -1.0f : x; };
    return a.hauteur == b.hauteur && a.largeur == b.largeur && bits(a.rouge) == bits(b.rouge)
            && bits(a.vert) == bits(b.vert) && bits(a.bleu) == bits(b.bleu) && a.fond == b.fond
            && a.duree_masque1 == b.duree_masque1 && a.duree_mot == b.duree_mot
            && a.duree_blanc == b.duree_blanc && a.duree_masque2 == b.duree_masque2
            && a.incongruite == b.incongruite;
}

bool memes_textes(const app::ValeursParam &a, const app::ValeursParam &b)
{
    return a.fichier == b.fichier && a.intervalle == b.intervalle && a.masque == b.masque
            && a.masque1 == b.masque1 && a.masque2 == b.masque2 && a.decalage == b.decalage;
}

// A file that reads whole is saved (sauve_param writes the controls' values) and read
// again: the same values, texts as the code page keeps them.
void verifie_aller_retour(const QStringList &fichier)
{
    const auto lues = lit(fichier);
    if (!lues)
        return;
    // NOTE: a real beyond single precision ("1E39") reads as an infinite component,
    // which is written "INF" and then refused: a known fault of the settings reader
    // (tests/matrice, test_trouvailles), left out here until it is mended.
    if (!std::isfinite(lues->rouge) || !std::isfinite(lues->vert) || !std::isfinite(lues->bleu))
        return;
    app::ValeursParam attendues = *lues;
    for (QString *t : { &attendues.fichier, &attendues.intervalle, &attendues.masque,
                        &attendues.masque1, &attendues.masque2, &attendues.decalage })
        *t = fuzz::apres_ecriture(*t);
    for (QChar sep : { QChar(u','), QChar(u'.') }) {
        const QStringList ecrit = lignes_param(*lues, sep);
        FUZZ_VERIFIE(ecrit.size() == 17, "dix-sept lignes écrites");
        const QStringList relu = fuzz::relues(ecrit);
        const auto relues = lit(relu);
        FUZZ_VERIFIE(relues.has_value(), "un fichier de réglages écrit se relit",
                     fuzz::montre(ecrit));
        FUZZ_VERIFIE(memes_nombres(*relues, attendues), "les nombres relus sont ceux écrits",
                     decrit(*relues) + QStringLiteral("contre\n") + decrit(attendues));
        FUZZ_VERIFIE(memes_textes(*relues, attendues), "les textes relus sont ceux écrits",
                     decrit(*relues) + QStringLiteral("contre\n") + decrit(attendues));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    const QStringList fichier = fuzz::lignes_du_fichier(fuzz::octets(donnees, taille));
    for (const QString &ligne : fichier) {
        verifie_ligne(ligne);
        essaie([&] { return app::entier_avant_blanc(ligne); });
    }
    verifie_aller_retour(fichier);
    return 0;
}
