// The melody list editor: its controls, its open and save buttons through the
// dialog seams, the file round trip and the default list.
#include "music/groupe_musical.h"
#include "platform/application.h"
#include "platform/erreurs.h"
#include "platform/interactions.h"
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace fantrel;

namespace {

QByteArray octets(const QString &chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ecrit(const QString &chemin, const QByteArray &contenu)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(contenu);
}

// Answers the open or save dialog with a path (or cancels it) and keeps its options.
struct Dialogues
{
    platform::RemplacementInteractions seams;
    QStringList erreurs;
    platform::OptionsDialogue options;
    int appels = 0;
    explicit Dialogues(const QString &chemin, bool accepte = true)
    {
        auto reponse = [this, chemin, accepte](const platform::OptionsDialogue &o) {
            options = o;
            ++appels;
            return platform::ResultatDialogue{ accepte, chemin, 1 };
        };
        seams->ouvrir_fichier = reponse;
        seams->enregistrer_fichier = reponse;
        seams->erreur = [this](const QString &t) { erreurs << t; };
    }
};

} // namespace

class TestGroupeMusical : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void controles();
    void aller_retour_data();
    void aller_retour();
    void lecture_des_fins_de_ligne_data();
    void lecture_des_fins_de_ligne();
    void dialogue_annule();
    void fichier_absent();
    void liste_par_defaut();
    void fermeture();

private:
    QTemporaryDir m_dossier;
};

void TestGroupeMusical::init()
{
    QVERIFY(m_dossier.isValid());
}

void TestGroupeMusical::controles()
{
    music::GroupeMusical groupe;
    QCOMPARE(groupe.objectName(), u"Group_musical"_qs);
    QCOMPARE(groupe.title(), u"Fichier musical"_qs);
    QCOMPARE(groupe.size(), QSize(393, 336));
    for (const char *nom : { "Memo_music", "SpeedButton7", "SpeedButton8", "SpeedButton9" })
        QVERIFY2(groupe.findChild<QWidget *>(QString::fromLatin1(nom)), nom);
    QCOMPARE(groupe.Memo_music->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(groupe.SpeedButton9->text(), u"X"_qs);
    QVERIFY(groupe.rect().contains(groupe.Memo_music->geometry()));
}

void TestGroupeMusical::aller_retour_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QByteArray>("fichier");
    QTest::newRow("accents, sans fin de ligne finale")
            << u"Frère Jacques,160,ndo3 nré3\nÀ la claire fontaine,320,nso2"_qs
            << QByteArray("Fr\xe8re Jacques,160,ndo3 nr\xe9"
                          "3\r\n\xc0 la claire fontaine,320,nso2");
    QTest::newRow("fin de ligne finale gardée") << u"a,100,cla2\n"_qs << QByteArray("a,100,cla2\r\n");
    QTest::newRow("ligne vide au milieu")
            << u"a,100,cla2\n\nb,100,cdo2"_qs << QByteArray("a,100,cla2\r\n\r\nb,100,cdo2");
}

void TestGroupeMusical::aller_retour()
{
    QFETCH(QString, texte);
    QFETCH(QByteArray, fichier);
    const QString chemin = m_dossier.filePath(u"liste"_qs); // no extension added
    music::GroupeMusical groupe;
    groupe.Memo_music->setPlainText(texte);
    {
        Dialogues dialogues(chemin);
        QTest::mouseClick(groupe.SpeedButton8, Qt::LeftButton);
        QCOMPARE(dialogues.appels, 1);
        QCOMPARE(dialogues.options.filtre, u"*.mus|*.mus"_qs);
        QVERIFY(dialogues.options.extension_defaut.isEmpty());
        QVERIFY(dialogues.erreurs.isEmpty());
    }
    QCOMPARE(octets(chemin), fichier);

    groupe.Memo_music->setPlainText(u"autre chose"_qs);
    Dialogues dialogues(chemin);
    QTest::mouseClick(groupe.SpeedButton7, Qt::LeftButton);
    QCOMPARE(dialogues.options.filtre, u"*.mus|*.mus"_qs);
    QString relu = texte;
    if (relu.endsWith(u'\n'))
        relu.chop(1); // a final line end adds no line
    QCOMPARE(groupe.Memo_music->toPlainText(), relu);
}

void TestGroupeMusical::lecture_des_fins_de_ligne_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<QString>("texte");
    QTest::newRow("CR LF et CR LF final") << QByteArray("a\r\nb\r\n") << u"a\nb"_qs;
    QTest::newRow("LF seul et CR seul") << QByteArray("a\nb\rc") << u"a\nb\nc"_qs;
    QTest::newRow("UTF-8 d'un éditeur") << QByteArray("fr\xc3\xa8re\r\n") << u"frère"_qs;
}

void TestGroupeMusical::lecture_des_fins_de_ligne()
{
    QFETCH(QByteArray, fichier);
    QFETCH(QString, texte);
    const QString chemin = m_dossier.filePath(u"lu.mus"_qs);
    ecrit(chemin, fichier);
    music::GroupeMusical groupe;
    groupe.charge(chemin);
    QCOMPARE(groupe.Memo_music->toPlainText(), texte);
}

void TestGroupeMusical::dialogue_annule()
{
    const QString chemin = m_dossier.filePath(u"annule.mus"_qs);
    music::GroupeMusical groupe;
    groupe.Memo_music->setPlainText(u"garde"_qs);
    Dialogues dialogues(chemin, false);
    QTest::mouseClick(groupe.SpeedButton8, Qt::LeftButton);
    QVERIFY(!QFile::exists(chemin));
    QTest::mouseClick(groupe.SpeedButton7, Qt::LeftButton);
    QCOMPARE(groupe.Memo_music->toPlainText(), u"garde"_qs);
    QCOMPARE(dialogues.appels, 2);
}

void TestGroupeMusical::fichier_absent()
{
    const QString chemin = m_dossier.filePath(u"absent.mus"_qs);
    music::GroupeMusical groupe;
    groupe.Memo_music->setPlainText(u"garde"_qs);
    Dialogues dialogues(chemin);
    QTest::mouseClick(groupe.SpeedButton7, Qt::LeftButton);
    QCOMPARE(dialogues.erreurs, QStringList{ u"Impossible d'ouvrir le fichier "_qs + chemin });
    QCOMPARE(groupe.Memo_music->toPlainText(), u"garde"_qs);
}

void TestGroupeMusical::liste_par_defaut()
{
    ecrit(m_dossier.filePath(u"melodies.mus"_qs), "a,100,cla2\r\nb,100,cdo2\r\n");
    music::GroupeMusical groupe;
    groupe.charge_defaut(m_dossier.path());
    QCOMPARE(groupe.Memo_music->toPlainText(), u"a,100,cla2\nb,100,cdo2"_qs);

    // An edited list stays when the musical test is chosen again.
    groupe.Memo_music->setPlainText(u"mienne,200,cmi2"_qs);
    groupe.charge_defaut(m_dossier.path());
    QCOMPARE(groupe.Memo_music->toPlainText(), u"mienne,200,cmi2"_qs);

    music::GroupeMusical sans_liste;
    const QString absent = m_dossier.filePath(u"vide"_qs);
    try {
        sans_liste.charge_defaut(absent);
        QFAIL("no error for a missing default list");
    } catch (const platform::ErreurExecution &e) {
        QCOMPARE(e.message(), u"Impossible d'ouvrir le fichier "_qs + absent + u"/melodies.mus"_qs);
    }
}

void TestGroupeMusical::fermeture()
{
    QWidget fenetre;
    auto *groupe = new music::GroupeMusical(&fenetre);
    fenetre.show();
    QVERIFY(groupe->isVisible());
    QTest::mouseClick(groupe->SpeedButton9, Qt::LeftButton);
    QVERIFY(!groupe->isVisible());
}

FANTREL_TEST_MAIN(TestGroupeMusical)
#include "test_groupe_musical.moc"
