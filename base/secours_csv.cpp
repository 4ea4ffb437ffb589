#include "base/secours_csv.h"
#include "base/base_essais.h"
#include "base/export_csv.h"
#include "base/schema_base.h"
#include "base/valeurs_base.h"
#include "platform/fichier_texte.h"
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <limits>

namespace fantrel::base {

using platform::ErreurExecution;

namespace {

const QString prefixe = QStringLiteral("essais-non-enregistres-");

QStringList entete_secours()
{
    return colonnes_csv() << QStringLiteral("ordre") << QStringLiteral("uuid");
}

} // namespace

QString nom_secours(const QString &dossier, const QDateTime &moment)
{
    const QString base = prefixe + moment.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString nom = QDir(dossier).filePath(base + QStringLiteral(".csv"));
    for (int n = 2; QFile::exists(nom); ++n)
        nom = QDir(dossier).filePath(base + QStringLiteral("-%1.csv").arg(n));
    return nom;
}

QStringList fichiers_secours(const QString &dossier)
{
    QStringList fichiers;
    const QDir d(dossier);
    for (const QString &nom : d.entryList({ prefixe + QStringLiteral("*.csv") }, QDir::Files,
                                          QDir::Name))
        fichiers << d.filePath(nom);
    return fichiers;
}

QString ecrit_secours(const QString &dossier, const Seance &seance, const QVector<Essai> &essais,
                      const QHash<QString, QString> &codes)
{
    const QString chemin = nom_secours(dossier, QDateTime::currentDateTime());
    QString texte = entete_secours().join(QLatin1Char(',')) + QStringLiteral("\r\n");
    for (const Essai &e : essais) {
        const QVariantList valeurs = valeurs_essai(e); // ..., participant, ordre, uuid
        QStringList champs = { QString() }; // no id: the base never gave one
        for (qsizetype i = 0; i + 2 < valeurs.size(); ++i)
            champs << champ_valeur(valeurs[i]);
        champs << champ_csv(seance.uuid) << champ_csv(codes.value(e.participant))
               << champ_csv(seance.station) << champ_valeur(valeurs[valeurs.size() - 2])
               << champ_valeur(valeurs.last());
        texte += champs.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    platform::verifie_cible_ecriture(chemin);
    QSaveFile fichier(chemin);
    const QByteArray octets = texte.toUtf8();
    if (!fichier.open(QIODevice::WriteOnly) || fichier.write(octets) != octets.size()
        || !fichier.commit())
        platform::echec_creation(chemin, fichier.errorString());
    return chemin;
}

QVector<QStringList> lignes_csv(const QString &texte)
{
    QVector<QStringList> lignes;
    QStringList champs;
    QString champ;
    bool entre_guillemets = false;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        if (entre_guillemets) {
            if (c == u'"' && i + 1 < texte.size() && texte[i + 1] == u'"') {
                champ += c;
                ++i;
            } else if (c == u'"') {
                entre_guillemets = false;
            } else {
                champ += c;
            }
        } else if (c == u'"') {
            entre_guillemets = true;
        } else if (c == u',') {
            champs << std::exchange(champ, QString());
        } else if (c == u'\n') {
            if (champ.endsWith(u'\r'))
                champ.chop(1);
            champs << std::exchange(champ, QString());
            lignes << std::exchange(champs, QStringList());
        } else {
            champ += c;
        }
    }
    if (!champ.isEmpty() || !champs.isEmpty())
        lignes << (champs << champ);
    return lignes;
}

int importe_secours(BaseEssais &base, const QString &fichier, const QString &poste,
                    const QString &repertoire)
{
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        throw platform::erreur_ouverture(fichier);
    const QVector<QStringList> lignes = lignes_csv(QString::fromUtf8(f.readAll()));
    const QStringList entete = entete_secours();
    if (lignes.isEmpty() || lignes[0] != entete)
        throw ErreurExecution(
                QStringLiteral("%1 n'est pas un fichier d'essais non enregistrés.").arg(fichier));
    const auto colonne = [&](const QStringList &l, const QString &nom) {
        return l.value(entete.indexOf(nom));
    };
    QVector<QVariantList> essais;
    QHash<QString, qint64> seances; // uuid → local id
    QVector<qint64> a_clore;
    int ajoutes = 0;
    for (qsizetype k = 1; k < lignes.size(); ++k) {
        const QStringList &l = lignes[k];
        if (l.size() != entete.size())
            continue;
        const QString uuid_seance = colonne(l, QStringLiteral("seance_uuid"));
        if (!seances.contains(uuid_seance)) {
            qint64 id = base.seance_par_uuid(uuid_seance);
            if (id == 0) {
                Seance s;
                s.uuid = uuid_seance;
                s.station = colonne(l, QStringLiteral("station"));
                s.poste = poste;
                s.repertoire = repertoire;
                s.debut_utc = QDateTime::fromString(colonne(l, QStringLiteral("debut_utc")),
                                                    Qt::ISODateWithMs);
                id = base.insere_seance(s);
            }
            seances.insert(uuid_seance, id);
            a_clore << id;
        }
        if (base.essai_existe(colonne(l, QStringLiteral("uuid"))))
            continue;
        // Texts as they were written: the columns' types turn numbers back into numbers.
        QVariantList valeurs;
        for (const QString &nom : colonnes_insertion_essai()) {
            const QString texte = colonne(l, nom);
            valeurs << (texte.isEmpty() ? QVariant() : QVariant(texte));
        }
        valeurs[0] = seances.value(uuid_seance);
        essais << valeurs;
    }
    base.insere_essais_bruts(essais);
    ajoutes = int(essais.size());
    for (qint64 id : a_clore) {
        Evenement fin = Evenement::fin();
        fin.seance = id;
        fin.ordre = std::numeric_limits<int>::max(); // after whatever the session wrote
        base.insere_evenement(fin);
    }
    return ajoutes;
}

} // namespace fantrel::base
