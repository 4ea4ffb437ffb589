#include "base/export_csv.h"
#include "base/base_essais.h"
#include "base/chronologie.h"
#include "base/schema_base.h"
#include "platform/fichier_texte.h"
#include <QFileInfo>
#include <QSaveFile>

namespace fantrel::base {

namespace {

using platform::ErreurExecution;

// NOTE: unbuffered, so that a write the disc refuses fails here and not in commit().
class SortieCsv
{
public:
    SortieCsv(const QString &chemin, FormeCsv forme)
        : m_chemin(chemin), m_fichier(chemin), m_separateur(platform::separateur_csv(forme))
    {
        platform::verifie_cible_ecriture(chemin);
        if (!m_fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            platform::echec_creation(chemin, m_fichier.errorString());
        ecrit(platform::debut_fichier_csv(forme));
    }

    void ajoute_ligne(const QStringList &champs)
    {
        m_tampon += champs.join(m_separateur) + QStringLiteral("\r\n");
        if (m_tampon.size() >= taille_tranche)
            vide();
    }

    void valide()
    {
        vide();
        if (!m_fichier.commit())
            platform::echec_creation(m_chemin, m_fichier.errorString());
    }

private:
    static constexpr qsizetype taille_tranche = 1 << 20;

    void vide()
    {
        ecrit(m_tampon.toUtf8());
        m_tampon.clear();
    }

    void ecrit(const QByteArray &octets)
    {
        if (m_fichier.write(octets) != octets.size()) {
            const QString raison = m_fichier.errorString();
            m_fichier.cancelWriting();
            platform::echec_creation(m_chemin, raison);
        }
    }

    QString m_chemin;
    QSaveFile m_fichier;
    QChar m_separateur;
    QString m_tampon;
};

} // namespace

QString champ_valeur(const QVariant &valeur, FormeCsv forme)
{
    if (valeur.isNull())
        return QString();
    switch (valeur.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return platform::nombre_csv(valeur.toDouble(), forme);
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return QString::number(valeur.toLongLong());
    default:
        return champ_csv(valeur.toString(), forme);
    }
}

void exporte_csv(const QString &chemin_base, const QString &chemin_csv,
                 std::optional<qint64> seance, FormeCsv forme, const Dialecte &dialecte)
{
    try {
        BaseEssais base(chemin_base, BaseEssais::Acces::lecture, dialecte);
        // A session's own trials and those it recovered (they stay under their session).
        const QVector<qint64> seances = seance ? seances_de(base, *seance) : QVector<qint64>{};
        SortieCsv sortie(chemin_csv, forme);
        const QStringList colonnes = colonnes_csv();
        sortie.ajoute_ligne(colonnes);
        const int nombre = int(colonnes.size());
        QStringList champs;
        base.parcourt_export(seances, [&](const QSqlQuery &q) {
            champs.clear();
            for (int i = 0; i < nombre; ++i)
                champs << champ_valeur(q.value(i), forme);
            sortie.ajoute_ligne(champs);
        });
        sortie.valide();
    } catch (const ErreurBase &e) {
        // A server's URI may hold its password: its own message names it without.
        if (&dialecte != &dialecte_sqlite())
            throw ErreurExecution(QStringLiteral("Impossible de lire la base du laboratoire : ")
                                  + e.message());
        throw ErreurExecution(platform::erreur_ouverture(chemin_base).message() + QLatin1Char('\n')
                              + e.message());
    }
}

} // namespace fantrel::base
