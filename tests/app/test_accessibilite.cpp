// What assistive technologies read: a control's accessible name is what a person
// sees on it (a caption, a label's text, a group's title); a control with no text
// has a name that says what it holds; a role ("Réponse gauche") is in the
// description. Checked on every control shown, in the states a session goes through.
#include "banc.h"
#include "engine3d/vue3d.h"
#include "platform/application.h"
#include "results/fenetre_resultats_3d.h"
#include "results/fenetre_statistiques.h"
#include "wordpairs/fenetre_couples.h"
#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAccessible>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace fantrel;

namespace {

QString texte_accessible(QWidget *w, QAccessible::Text genre)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(w);
    return i ? i->text(genre) : QStringLiteral("<pas d'interface>");
}

// The text a person sees on a control, or a null string for a control without text;
// false for widgets that are no controls (containers, parts of a composite control).
bool texte_visible(QWidget *w, QString &texte)
{
    for (QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<QAbstractScrollArea *>(p) || qobject_cast<engine3d::Vue3D *>(p))
            return false;
    texte.clear();
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        texte = b->text();
    else if (auto *l = qobject_cast<QLabel *>(w))
        texte = l->text();
    else if (auto *g = qobject_cast<QGroupBox *>(w))
        texte = g->title();
    else if (!qobject_cast<QLineEdit *>(w) && !qobject_cast<QAbstractScrollArea *>(w)
             && !qobject_cast<QAbstractSlider *>(w) && !qobject_cast<engine3d::Vue3D *>(w))
        return false;
    texte.remove(u'&');
    return true;
}

// Every control of the window shown now whose name breaks the rule, with why.
QStringList fautes(QWidget *fenetre)
{
    QStringList f;
    for (QWidget *w : fenetre->findChildren<QWidget *>()) {
        QString texte;
        if (!w->isVisibleTo(fenetre) || !texte_visible(w, texte))
            continue;
        const QString nom = texte_accessible(w, QAccessible::Name);
        if (!texte.isEmpty() && nom != texte)
            f << QStringLiteral("%1 montre « %2 » mais se nomme « %3 »")
                            .arg(w->objectName(), texte, nom);
        else if (texte.isEmpty() && nom.isEmpty())
            f << QStringLiteral("%1 (%2) n'a ni texte ni nom")
                            .arg(w->objectName(),
                                 QString::fromLatin1(w->metaObject()->className()));
        // Unnamed, a control is read by its group's title: right for a text box that
        // holds the group's content, wrong for a button.
        else if (auto *groupe = qobject_cast<QGroupBox *>(w->parentWidget()); texte.isEmpty()
                 && qobject_cast<QAbstractButton *>(w) && groupe && nom == groupe->title())
            f << QStringLiteral("%1 se nomme comme son groupe, « %2 »").arg(w->objectName(), nom);
    }
    return f;
}

} // namespace

class TestAccessibilite : public QObject
{
    Q_OBJECT
private slots:
    void noms_des_commandes_data();
    void noms_des_commandes();
};

void TestAccessibilite::noms_des_commandes_data()
{
    QTest::addColumn<QString>("etat");
    QTest::addColumn<QString>("role_gauche"); // bit_rep1's description, when shown
    QTest::newRow("réglages et mode visible") << "réglages"
                                              << "";
    QTest::newRow("réponse à un mot") << "mots"
                                      << "Réponse gauche";
    QTest::newRow("saisie libre") << "saisie"
                                  << "";
    QTest::newRow("réponse à une mélodie") << "musique"
                                           << "Réponse gauche";
    QTest::newRow("fenêtre des résultats") << "résultats"
                                           << "";
    QTest::newRow("fenêtre des paires de mots") << "paires"
                                                << "";
    QTest::newRow("fenêtre des statistiques") << "statistiques"
                                              << "";
}

void TestAccessibilite::noms_des_commandes()
{
    QFETCH(QString, etat);
    QFETCH(QString, role_gauche);
    banc::Banc b;
    platform::ecrire_lignes(b.chemin("melodies.mus"), { "Gamme,20,ndo3 nré3" });
    b.demarre();
    app::TForm1 &f = *b.form;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QWidget *fenetre = &f;
    auto attend = [&](QWidget *w) {
        return QTest::qWaitFor([&] { return w->isVisibleTo(&f); }, 5000);
    };
    if (etat == "réglages") {
        f.Modevisible1->trigger();
        f.Rglages1->trigger();
    } else if (etat == "mots" || etat == "saisie") {
        if (etat == "saisie")
            f.Saisielibre1->trigger();
        QTest::mouseClick(f.commandes->BitBtn2, Qt::LeftButton);
        QWidget *reponse = f.commandes->bit_rep1;
        if (etat == "saisie")
            reponse = f.commandes->Edit_saisie_libre;
        QVERIFY(attend(reponse));
    } else if (etat == "musique") {
        f.Incongruitmusicale1->trigger();
        QTest::mouseClick(f.commandes->BitBtn_ecoute, Qt::LeftButton);
        QVERIFY(attend(f.commandes->bit_rep1));
    } else if (etat == "paires") {
        // A modal window: looked at from inside its own event loop, then closed.
        QWidget *choix = b.fenetres->Form_choix_mots.get();
        QStringList vues;
        bool regardee = false;
        QTimer::singleShot(0, choix, [&] {
            if (!QTest::qWaitFor([&] { return choix->isVisible(); }, 5000))
                vues << QStringLiteral("fenêtre non montrée");
            vues << fautes(choix);
            regardee = true;
            choix->close();
        });
        f.rierdesmots1->trigger();
        QVERIFY2(regardee, "the window returned before being looked at (not modal?)");
        QVERIFY2(vues.isEmpty(), qPrintable(vues.join(u'\n')));
        return;
    } else if (etat == "statistiques") {
        f.Statistiques1->trigger();
        fenetre = b.fenetres->Form_statistiques.get();
    } else {
        f.Courbe22->trigger();
        fenetre = b.fenetres->Form_courbe2.get();
    }
    const QStringList trouvees = fautes(fenetre);
    QVERIFY2(trouvees.isEmpty(), qPrintable(trouvees.join(u'\n')));
    if (!role_gauche.isEmpty()) {
        QCOMPARE(texte_accessible(f.commandes->bit_rep1, QAccessible::Description), role_gauche);
        QCOMPARE(texte_accessible(f.commandes->bit_rep2, QAccessible::Description),
                 QStringLiteral("Réponse droite"));
    }
}

FANTREL_TEST_MAIN(TestAccessibilite)
#include "test_accessibilite.moc"
