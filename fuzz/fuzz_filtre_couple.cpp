// The pair test of the word-pair search, on two words, five check boxes and a word
// base taken from the input.
// Properties: the test agrees with a plain reading of its rules (exactly one
// difference over the outer word's length, then each checked filter); the indexed
// answer to "does some line hold this text" agrees with the scan of every line.
#include "commun.h"
#include "wordpairs/participes.h"
#include "wordpairs/filtre_couple.h"
#include <fuzzer/FuzzedDataProvider.h>

using namespace fantrel;

namespace {

// Mostly letters that make pairs and participles, some bytes as they are.
QString mot(const std::string &octets)
{
    static const QString lettres = QStringLiteral("aenrtsscéèçàôAS-");
    QString m;
    for (unsigned char o : octets)
        m += o & 0x80 ? QChar(o) : lettres[o % lettres.size()];
    return m;
}

bool accentuee(QChar c)
{
    return QStringLiteral("àâéèëêîïôûüç").contains(c);
}

QString infinitif(const QString &w)
{
    QString radical;
    if (w.endsWith(QStringLiteral("ant")))
        radical = w.chopped(3);
    else if (w.endsWith(QStringLiteral("ante")))
        radical = w.chopped(4);
    return radical.isEmpty() ? QString() : radical + QStringLiteral("er");
}

bool test_reference(const QString &a, const QString &b, const wordpairs::Filtres &f,
                    const QStringList &base)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    int k = 0, d = -1;
    for (int p = 0; p < a.size(); ++p) {
        if (p >= b.size() || a[p] != b[p]) {
            ++k;
            if (d < 0)
                d = p;
        }
    }
    if (k != 1)
        return false;
    const QChar der_a = a.back(), der_b = b.back();
    if (f.s_final && der_a != der_b && (der_a == u's' || der_b == u's'))
        return false;
    if (f.accent && (accentuee(a[d]) || (d < b.size() && accentuee(b[d]))))
        return false;
    if (f.non_derniere && der_a != der_b)
        return false;
    if (f.non_premiere && a.front() != b.front())
        return false;
    if (f.participes)
        for (const QString &w : { a, b }) {
            const QString inf = infinitif(w);
            if (!inf.isEmpty())
                for (const QString &ligne : base)
                    if (ligne.contains(inf))
                        return false;
        }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille)
{
    FuzzedDataProvider fdp(donnees, taille);
    const std::uint8_t cases = fdp.ConsumeIntegral<std::uint8_t>();
    const wordpairs::Filtres f{ bool(cases & 1), bool(cases & 2), bool(cases & 4), bool(cases & 8),
                                bool(cases & 16) };
    const QString a = mot(fdp.ConsumeRandomLengthString(16));
    const QString b = mot(fdp.ConsumeRandomLengthString(16));
    const QString texte = mot(fdp.ConsumeRemainingBytesAsString());
    QStringList base = texte.split(u'-');

    const wordpairs::ContientTexte scan = [&base](const QString &t) {
        return wordpairs::base_contient_simple(base, t);
    };
    const bool obtenu = est_couple(a, b, f, scan);
    const bool attendu = test_reference(a, b, f, base);
    FUZZ_VERIFIE(obtenu == attendu, "le test de paire suit ses règles",
                 QStringLiteral("«%1» «%2» cases %3 → %4").arg(a, b).arg(cases & 31).arg(obtenu));
    int differences = 0, premiere = -1;
    for (int p = 0; p < a.size(); ++p)
        if (p >= b.size() || a[p] != b[p])
            premiere = differences++ ? premiere : p;
    FUZZ_VERIFIE(wordpairs::position_difference(a, b) == (differences == 1 ? premiere : -1),
                 "une seule différence sur la longueur du mot extérieur", a + u' ' + b);
    if (obtenu)
        FUZZ_VERIFIE(wordpairs::ligne_couple(a, b) == a + QStringLiteral("  ") + b,
                     "la ligne d'une paire");

    wordpairs::IndexParticipes index(base);
    QStringList questions = { infinitif(a), infinitif(b), a + QStringLiteral("er"), b, a };
    for (const QString &l : std::as_const(base))
        for (qsizetype p = l.indexOf(QStringLiteral("er")); p >= 0 && questions.size() < 64;
             p = l.indexOf(QStringLiteral("er"), p + 1))
            questions << l.mid(std::max<qsizetype>(0, p - (a.size() % 6)), a.size() % 6 + 2);
    for (int tour = 0; tour < 2; ++tour) // the second time from the index's cache
        for (const QString &q : std::as_const(questions))
            FUZZ_VERIFIE(index.contient(q) == wordpairs::base_contient_simple(base, q),
                         "l'index des infinitifs répond comme le parcours des lignes", q);
    return 0;
}
