// The floating boxes of the main window ("Réglages", "Fichier résultats", "Fichier
// exercice", "Fichier musical"): dragged by their own body only, and never out of
// the window's client area.
#include "banc.h"
#include "platform/application.h"
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QtTest>

using namespace fantrel;

namespace {

// Presses the left button on `prise` at `point`, moves the pointer by `deplacement`
// (events to the pressed widget, as the window system sends them), and releases.
void glisse(QWidget *prise, QPoint point, QPoint deplacement)
{
    const QPoint depart = prise->mapToGlobal(point);
    QTest::mousePress(prise, Qt::LeftButton, Qt::NoModifier, point);
    for (int pas = 1; pas <= 4; ++pas)
        QTest::mouseMove(prise, prise->mapFromGlobal(depart + deplacement * pas / 4));
    QTest::mouseRelease(prise, Qt::LeftButton, Qt::NoModifier,
                        prise->mapFromGlobal(depart + deplacement));
}

// A point of the box's own body: no child control under it.
QPoint point_du_corps(QGroupBox *boite)
{
    for (int y = 2; y < boite->height(); y += 3)
        for (int x = 2; x < boite->width(); x += 3)
            if (!boite->childAt(x, y))
                return { x, y };
    return {};
}

} // namespace

class TestBoitesFlottantes : public QObject
{
    Q_OBJECT
private slots:
    void reste_dans_la_fenetre_data();
    void reste_dans_la_fenetre();
    void saisie_par_son_corps_seulement_data();
    void saisie_par_son_corps_seulement();
};

void TestBoitesFlottantes::reste_dans_la_fenetre_data()
{
    QTest::addColumn<QString>("boite");
    QTest::addColumn<QPoint>("deplacement");
    for (const char *nom : { "GroupBox1", "Group_result", "GroupBox3", "Group_musical" }) {
        QTest::addRow("%s, en haut à gauche", nom) << nom << QPoint(-3000, -3000);
        QTest::addRow("%s, en bas à droite", nom) << nom << QPoint(3000, 3000);
        QTest::addRow("%s, sous la barre de menus", nom) << nom << QPoint(10, -3000);
    }
}

void TestBoitesFlottantes::reste_dans_la_fenetre()
{
    QFETCH(QString, boite);
    QFETCH(QPoint, deplacement);
    banc::Banc b;
    b.demarre();
    app::TForm1 &f = *b.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.Modevisible1->trigger();
    f.Rglages1->trigger();
    auto *g = f.findChild<QGroupBox *>(boite);
    QVERIFY(g->isVisible());
    const QPoint corps = point_du_corps(g);
    QVERIFY(!corps.isNull());
    const QPoint avant = g->pos();
    glisse(g, corps, deplacement);
    QVERIFY2(g->pos() != avant, "the box did not move");
    const QRect zone = g->parentWidget()->rect();
    QVERIFY2(zone.contains(g->geometry()),
             qPrintable(QStringLiteral("box at %1,%2 %3×%4, outside the client area %5×%6")
                                .arg(g->x())
                                .arg(g->y())
                                .arg(g->width())
                                .arg(g->height())
                                .arg(zone.width())
                                .arg(zone.height())));
    // Still where a press finds it: it can be brought back.
    glisse(g, corps, -deplacement);
    QVERIFY(zone.contains(g->geometry()));
}

void TestBoitesFlottantes::saisie_par_son_corps_seulement_data()
{
    QTest::addColumn<QString>("boite");
    QTest::addColumn<QString>("prise"); // object name of the inner widget, or a label's text
    QTest::newRow("étiquette des réglages") << "GroupBox1"
                                            << "Fichier de mots";
    QTest::newRow("groupe intérieur des réglages") << "GroupBox1"
                                                   << "GroupBox2";
    QTest::newRow("étiquette d'un groupe intérieur") << "GroupBox1"
                                                     << "Intervalle:";
}

void TestBoitesFlottantes::saisie_par_son_corps_seulement()
{
    QFETCH(QString, boite);
    QFETCH(QString, prise);
    banc::Banc b;
    b.demarre();
    app::TForm1 &f = *b.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.Rglages1->trigger();
    auto *g = f.findChild<QGroupBox *>(boite);
    QWidget *interieur = g->findChild<QWidget *>(prise);
    for (QLabel *l : g->findChildren<QLabel *>())
        if (!interieur && l->text() == prise)
            interieur = l;
    QVERIFY2(interieur, qPrintable(prise));
    QPoint point = interieur->rect().center();
    if (auto *groupe = qobject_cast<QGroupBox *>(interieur))
        point = point_du_corps(groupe);
    const QPoint avant = g->pos();
    glisse(interieur, point, QPoint(60, 40));
    QCOMPARE(g->pos(), avant);
}

FANTREL_TEST_MAIN(TestBoitesFlottantes)
#include "test_boites_flottantes.moc"
