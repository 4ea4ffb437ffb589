#include "app/fenetre_verification.h"
#include "app/texte_duree.h"
#include "chart/export_graphique.h"
#include "chart/graphique.h"
#include "platform/erreurs.h"
#include "platform/fichier_texte.h"
#include "platform/interactions.h"
#include "platform/liaison.h"
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QVBoxLayout>

namespace fantrel::app {

namespace {

QString fr(double v, int decimales)
{
    return QLocale(QLocale::French).toString(v, 'f', decimales);
}

void ecrit_csv(const QString &chemin, const QStringList &lignes)
{
    platform::verifie_cible_ecriture(chemin);
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        platform::echec_creation(chemin, fichier.errorString());
    const QByteArray octets =
            (lignes.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    if (fichier.write(octets) != octets.size() || !fichier.commit()) {
        const QString raison = fichier.errorString();
        fichier.cancelWriting();
        platform::echec_creation(chemin, raison);
    }
}

} // namespace

FenetreVerification::FenetreVerification(QWidget *parent)
    : QWidget(parent, Qt::Window),
      Lab_ecran(new QLabel(this)),
      Lab_plan(new QLabel(this)),
      Lab_bilan(new QLabel(this)),
      Graphique_expositions(new chart::Graphique(this)),
      Table_flashs(new QTableWidget(this)),
      Bouton_enregistrer(new QPushButton(QStringLiteral("Enregistrer le rapport…"), this))
{
    setObjectName(QStringLiteral("Form_verification"));
    setWindowTitle(QStringLiteral("Vérification de l'affichage"));
    Lab_ecran->setObjectName(QStringLiteral("Lab_ecran"));
    Lab_plan->setObjectName(QStringLiteral("Lab_plan"));
    Lab_bilan->setObjectName(QStringLiteral("Lab_bilan"));
    Lab_bilan->setWordWrap(true);
    Graphique_expositions->setObjectName(QStringLiteral("Graphique_expositions"));
    Graphique_expositions->setAccessibleName(QStringLiteral("Expositions mesurées"));
    Graphique_expositions->definir_titre(QStringLiteral("Expositions mesurées"));
    Graphique_expositions->definir_titre_axe_y(QStringLiteral("flashs"));
    Graphique_expositions->ajoute_serie(QColor(40, 110, 200), true, 6, QStringLiteral("flashs"));
    Graphique_expositions->setMinimumHeight(260);
    Table_flashs->setObjectName(QStringLiteral("Table_flashs"));
    Table_flashs->setAccessibleName(QStringLiteral("Flashs"));
    Table_flashs->setAccessibleDescription(
            QStringLiteral("Une ligne par flash : images prévues et présentées"));
    Table_flashs->setColumnCount(6);
    Table_flashs->setHorizontalHeaderLabels(
            { "N°", "Mot", "Images prévues", "Images présentées", "Mesurée (ms)", "Verdict" });
    Table_flashs->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table_flashs->verticalHeader()->hide();
    Table_flashs->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    Bouton_enregistrer->setObjectName(QStringLiteral("Bouton_enregistrer"));
    Bouton_enregistrer->setAccessibleDescription(
            QStringLiteral("Enregistre le graphique en PNG et les flashs en CSV"));
    platform::relie(Bouton_enregistrer, &QPushButton::clicked, this,
                    &FenetreVerification::Bouton_enregistrerClick);
    auto *disposition = new QVBoxLayout(this);
    disposition->addWidget(Lab_ecran);
    disposition->addWidget(Lab_plan);
    disposition->addWidget(Lab_bilan);
    disposition->addWidget(Graphique_expositions, 3);
    disposition->addWidget(Table_flashs, 2);
    disposition->addWidget(Bouton_enregistrer, 0, Qt::AlignRight);
    resize(760, 700);
    hide(); // a child window of the main one: hidden until a check ends
}

void FenetreVerification::affiche(const EnteteVerification &entete,
                                  const VerificationAffichage &verification)
{
    m_flashs = verification.flashs();
    const PlanVerification &plan = verification.plan();
    const QString ecran = entete.frequence_hz
            ? QStringLiteral("Écran : %1 Hz, %2 ms par image")
                      .arg(fr(*entete.frequence_hz, 1), fr(1000.0 / *entete.frequence_hz, 2))
            : QStringLiteral("Écran sans synchronisation : durées au chronomètre");
    Lab_ecran->setText(QStringLiteral("%1 ; horodatage : %2 (%3)")
                               .arg(ecran, entete.methode, entete.description));
    const double prevue = verification.prevue_ms();
    std::optional<int> images;
    if (!m_flashs.isEmpty())
        images = m_flashs.last().images_prevues;
    QString texte_plan = QStringLiteral("%1 : %2 flashs de %3 ms")
                                 .arg(plan.test == u"morbelle" ? QStringLiteral("Morbelle")
                                                               : QStringLiteral("Korvane"))
                                 .arg(m_flashs.size())
                                 .arg(plan.exposition_ms);
    if (images)
        texte_plan += QStringLiteral(", prévus en %1 %2 = %3 ms")
                              .arg(QString::number(*images), unite_images(*images), fr(prevue, 1));
    if (verification.interrompue())
        texte_plan += QStringLiteral(" (arrêtée par Échap, %1 prévus)").arg(plan.flashs);
    Lab_plan->setText(texte_plan);
    const BilanVerification b = bilan_verification(m_flashs);
    QStringList fautifs;
    for (int n : b.numeros_fautifs.mid(0, 30))
        fautifs << QString::number(n);
    if (b.numeros_fautifs.size() > 30)
        fautifs << QStringLiteral("…");
    Lab_bilan->setText(QStringLiteral("Exacts : %1, courts : %2, longs : %3, manqués : %4, "
                                      "douteux : %5%6")
                               .arg(b.exacts)
                               .arg(b.courts)
                               .arg(b.longs)
                               .arg(b.manques)
                               .arg(b.douteux)
                               .arg(fautifs.isEmpty() ? QString()
                                                      : QStringLiteral(" ; flashs : ")
                                                    + fautifs.join(QStringLiteral(", "))));

    Graphique_expositions->efface_points(0);
    QStringList etiquettes;
    const auto classes = histogramme_expositions(m_flashs, prevue);
    for (const auto &[ms, nombre] : classes) {
        Graphique_expositions->ajoute_point(0, ms, nombre);
        etiquettes << (ms == int(std::lround(prevue)) ? QStringLiteral("%1 ms (prévue)").arg(ms)
                                                      : QStringLiteral("%1 ms").arg(ms));
    }
    Graphique_expositions->definir_etiquettes(etiquettes);

    Table_flashs->setRowCount(int(m_flashs.size()));
    for (int i = 0; i < m_flashs.size(); ++i) {
        const base::FlashVerification &f = m_flashs[i];
        const auto entier = [](const std::optional<int> &v) {
            return v ? QString::number(*v) : QStringLiteral("—");
        };
        const QStringList cellules{ QString::number(f.numero),      f.mot,
                                    entier(f.images_prevues),       entier(f.images),
                                    fr(f.exposition_mesuree_ms, 2), f.verdict };
        for (int c = 0; c < cellules.size(); ++c)
            Table_flashs->setItem(i, c, new QTableWidgetItem(cellules[c]));
    }
}

void FenetreVerification::Bouton_enregistrerClick()
{
    platform::OptionsDialogue dialogue;
    dialogue.filtre = QStringLiteral("Rapport de vérification (PNG et CSV)|*.png");
    dialogue.extension_defaut = QStringLiteral("png");
    dialogue.confirmer_ecrasement = true;
    const platform::ResultatDialogue choix = platform::interactions().enregistrer_fichier(dialogue);
    if (!choix.accepte)
        return;
    QString erreur;
    if (!chart::exporte_png(*Graphique_expositions, choix.nom_fichier, &erreur))
        throw platform::ErreurExecution(erreur);
    const QFileInfo png(choix.nom_fichier);
    ecrit_csv(png.dir().filePath(png.completeBaseName() + QStringLiteral(".csv")),
              lignes_csv_verification(m_flashs));
}

} // namespace fantrel::app
