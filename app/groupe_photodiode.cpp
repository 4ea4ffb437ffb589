#include "app/groupe_photodiode.h"
#include "platform/liaison.h"
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <array>

namespace fantrel::app {

namespace {

// The corners in the list's order, with what a person reads.
constexpr std::array<std::pair<CoinEcran, const char *>, 4> coins{ {
        { CoinEcran::bas_gauche, "en bas à gauche" },
        { CoinEcran::bas_droite, "en bas à droite" },
        { CoinEcran::haut_gauche, "en haut à gauche" },
        { CoinEcran::haut_droite, "en haut à droite" },
} };

} // namespace

GroupePhotodiode::GroupePhotodiode(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Groupe_photodiode"));
    auto *ligne = new QHBoxLayout(this);
    ligne->setContentsMargins(0, 0, 0, 0);
    Check_photodiode = new QCheckBox(QStringLiteral("Carré photodiode"), this);
    Check_photodiode->setObjectName(QStringLiteral("Check_photodiode"));
    Check_photodiode->setAccessibleDescription(
            QStringLiteral("Un carré blanc dans un coin de la vue tant que le mot est affiché"));
    Spin_photodiode = new QSpinBox(this);
    Spin_photodiode->setObjectName(QStringLiteral("Spin_photodiode"));
    Spin_photodiode->setRange(10, 400);
    Spin_photodiode->setSuffix(QStringLiteral(" px"));
    Spin_photodiode->setAccessibleName(QStringLiteral("Taille du carré"));
    if (auto *saisie = Spin_photodiode->findChild<QLineEdit *>())
        saisie->setAccessibleName(QStringLiteral("Taille du carré"));
    Combo_coin = new QComboBox(this);
    Combo_coin->setObjectName(QStringLiteral("Combo_coin"));
    for (const auto &[coin, texte] : coins)
        Combo_coin->addItem(QString::fromUtf8(texte), int(coin));
    Combo_coin->setAccessibleName(QStringLiteral("Coin du carré"));
    ligne->addWidget(Check_photodiode);
    ligne->addWidget(Spin_photodiode);
    ligne->addWidget(Combo_coin);
    ligne->addStretch();
    platform::relie(Check_photodiode, &QCheckBox::toggled, this, &GroupePhotodiode::signale);
    platform::relie(Spin_photodiode, &QSpinBox::valueChanged, this, &GroupePhotodiode::signale);
    platform::relie(Combo_coin, &QComboBox::currentIndexChanged, this, &GroupePhotodiode::signale);
}

void GroupePhotodiode::montre(const ReglagesEtendus &reglages)
{
    const QSignalBlocker b1(Check_photodiode), b2(Spin_photodiode), b3(Combo_coin);
    Check_photodiode->setChecked(reglages.photodiode);
    Spin_photodiode->setValue(reglages.taille_photodiode);
    Combo_coin->setCurrentIndex(Combo_coin->findData(int(reglages.coin_photodiode)));
}

void GroupePhotodiode::reporte(ReglagesEtendus &reglages) const
{
    reglages.photodiode = Check_photodiode->isChecked();
    reglages.taille_photodiode = Spin_photodiode->value();
    reglages.coin_photodiode = CoinEcran(Combo_coin->currentData().toInt());
}

void GroupePhotodiode::signale()
{
    ReglagesEtendus r;
    reporte(r);
    emit photodiode_changee(r.photodiode, r.taille_photodiode, r.coin_photodiode);
}

} // namespace fantrel::app
