// The samples of a tone: length, frequency, ramps without click, silence outside
// the playable range; a melody's stream, every note at its sample; and the program's
// output without an audio device, taking the stream's time.
#include "music/flux_melodie.h"
#include "music/sortie_audio.h"
#include "music/ton.h"
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <cmath>

using namespace fantrel;

namespace {

// Frequency from the zero crossings, located between samples by linear interpolation,
// outside the ramps (where rounding makes the near-silence flicker around zero).
double frequence_mesuree(const QVector<qint16> &s, int taux)
{
    const qsizetype rampe = taux * music::rampe_ton_ms / 1000;
    double premier = -1, dernier = -1;
    int passages = 0;
    for (qsizetype i = rampe + 1; i < s.size() - rampe; ++i) {
        if ((s[i - 1] < 0) != (s[i] < 0)) {
            const double t = (i - 1 + double(s[i - 1]) / (s[i - 1] - s[i])) / taux;
            if (premier < 0)
                premier = t;
            dernier = t;
            ++passages;
        }
    }
    return passages < 2 ? 0 : (passages - 1) / 2.0 / (dernier - premier);
}

int pic(const QVector<qint16> &s, qsizetype debut, qsizetype fin)
{
    int maximum = 0;
    for (qsizetype i = debut; i < fin; ++i)
        maximum = std::max(maximum, std::abs(int(s[i])));
    return maximum;
}

} // namespace

class TestTon : public QObject
{
    Q_OBJECT
private slots:
    void echantillons_data();
    void echantillons();
    void silence_data();
    void silence();
    void ton_tres_court();
    void flux_melodie_data();
    void flux_melodie();
    void sortie_sans_peripherique_dure_le_flux();
};

void TestTon::echantillons_data()
{
    QTest::addColumn<int>("frequence");
    QTest::addColumn<int>("duree");
    QTest::newRow("do1 80 ms") << 131 << 80;
    QTest::newRow("la2 160 ms") << 440 << 160;
    QTest::newRow("si1 décalé 320 ms") << 255 << 320;
    QTest::newRow("do4 1 s") << 1040 << 1000;
    QTest::newRow("la2 décalé 77 ms") << 467 << 77;
    QTest::newRow("aigu 3 kHz 50 ms") << 3000 << 50;
}

void TestTon::echantillons()
{
    QFETCH(int, frequence);
    QFETCH(int, duree);
    const QVector<qint16> s = music::echantillons_ton(frequence, duree, music::taux_ton);
    QVERIFY2(std::abs(s.size() - duree * music::taux_ton / 1000.0) <= 1.0,
             qPrintable(u"%1 samples for %2 ms"_qs.arg(s.size()).arg(duree)));
    QVERIFY2(std::abs(frequence_mesuree(s, music::taux_ton) - frequence) < 1.0,
             qPrintable(u"measured %1 Hz"_qs.arg(frequence_mesuree(s, music::taux_ton))));
    // No click: the tone starts and ends at silence and rises over the ramp.
    const int plein = int(music::amplitude_ton * 32767);
    const qsizetype rampe = music::taux_ton * music::rampe_ton_ms / 1000;
    QVERIFY(std::abs(s.first()) <= plein / 100);
    QVERIFY(std::abs(s.last()) <= plein / 100);
    QVERIFY2(pic(s, 0, rampe / 10) <= plein / 20, "the tone starts abruptly");
    QVERIFY2(pic(s, s.size() - rampe / 10, s.size()) <= plein / 20, "the tone stops abruptly");
    QVERIFY(pic(s, rampe, s.size() - rampe) >= plein * 95 / 100);
    QVERIFY(pic(s, 0, s.size()) <= plein + 1);
}

void TestTon::silence_data()
{
    QTest::addColumn<int>("frequence");
    QTest::newRow("silence") << 0;
    QTest::newRow("négatif") << -440;
    QTest::newRow("Nyquist") << music::taux_ton / 2;
}

void TestTon::silence()
{
    QFETCH(int, frequence);
    const QVector<qint16> s = music::echantillons_ton(frequence, 100, music::taux_ton);
    QCOMPARE(s.size(), qsizetype(4410));
    QCOMPARE(pic(s, 0, s.size()), 0);
}

void TestTon::ton_tres_court()
{
    // Shorter than two ramps: still no click, and still a tone.
    const QVector<qint16> s = music::echantillons_ton(1000, 6, music::taux_ton);
    QCOMPARE(s.size(), qsizetype(265));
    QCOMPARE(s.first(), qint16(0));
    QVERIFY(std::abs(s.last()) <= 200);
    QVERIFY(pic(s, 0, s.size()) > 8000);
}

void TestTon::flux_melodie_data()
{
    QTest::addColumn<QString>("notes");
    QTest::addColumn<int>("rythme");
    QTest::addColumn<QVector<int>>("frequences"); // each entry's, 0 for a rest
    QTest::addColumn<QVector<qint64>>("debuts"); // each entry's first sample
    QTest::addColumn<qint64>("fin");
    // 100 ms, 200, 300 (notes under the rhythm), 300 + 160 + 100, 560 + 320 + 100 = 980.
    QTest::newRow("repos et note décalée")
            << u"cdo2 - nla2(+1/2) bmi2 "_qs << 100 << QVector<int>{ 262, 0, 467, 329 }
            << QVector<qint64>{ 4410, 8820, 13230, 24696 } << qint64(43218);
    // 3, 86, 249, 332, 655, 738, end 821 ms: whole ms that are no whole sample.
    QTest::newRow("rythme de 3 ms, nom inconnu")
            << u"cdo2 nré2 - bmi2(+1/2) xyz2 la2 "_qs << 3
            << QVector<int>{ 262, 294, 0, 339, 0, 440 }
            << QVector<qint64>{ 132, 3793, 10981, 14641, 28886, 32546 } << qint64(36206);
}

void TestTon::flux_melodie()
{
    QFETCH(QString, notes);
    QFETCH(int, rythme);
    QFETCH(QVector<int>, frequences);
    QFETCH(QVector<qint64>, debuts);
    QFETCH(qint64, fin);
    const QVector<music::Note> melodie = music::analyse_notes(notes);
    const music::FluxMelodie flux = music::rend_melodie(melodie, rythme);
    QCOMPARE(flux.debuts, debuts);
    QCOMPARE(flux.echantillons.size(), fin);
    const QVector<qint16> &s = flux.echantillons;
    const int plein = int(music::amplitude_ton * 32767);
    const qsizetype rampe = music::taux_ton * music::rampe_ton_ms / 1000;
    QVector<bool> note(s.size(), false);
    for (qsizetype k = 0; k < debuts.size(); ++k) {
        if (frequences[k] == 0)
            continue;
        const qsizetype n = (qsizetype(melodie[k].duree) * music::taux_ton + 500) / 1000;
        const QVector<qint16> ton(s.begin() + debuts[k], s.begin() + debuts[k] + n);
        std::fill(note.begin() + debuts[k], note.begin() + debuts[k] + n, true);
        const QString quoi = u"note %1"_qs.arg(k);
        QVERIFY2(std::abs(frequence_mesuree(ton, music::taux_ton) - frequences[k]) < 1.0,
                 qPrintable(quoi));
        QVERIFY2(pic(ton, 0, rampe / 10) <= plein / 20, qPrintable(quoi + u" starts abruptly"_qs));
        QVERIFY2(pic(ton, n - rampe / 10, n) <= plein / 20,
                 qPrintable(quoi + u" ends abruptly"_qs));
        QVERIFY2(pic(ton, rampe, n - rampe) >= plein * 95 / 100, qPrintable(quoi));
    }
    // Silence before the first note, between notes, in the rests and after the last one.
    for (qsizetype i = 0; i < s.size(); ++i)
        QVERIFY2(note[i] || s[i] == 0, qPrintable(u"sound at sample %1"_qs.arg(i)));
}

void TestTon::sortie_sans_peripherique_dure_le_flux()
{
    // No device: the stream runs on the clock in silence, its end one stream later.
    music::SortieAudio sortie{ QAudioDevice() };
    QSignalSpy debut(&sortie, &platform::SortieSon::debut);
    QSignalSpy reperes(&sortie, &platform::SortieSon::repere_atteint);
    QElapsedTimer chrono;
    chrono.start();
    sortie.joue(QVector<qint16>(5292, 0), music::taux_ton, { 2646, 5292 });
    QCOMPARE(debut.size(), 1);
    QVERIFY(reperes.wait(2000));
    QVERIFY2(chrono.elapsed() >= 59, qPrintable(u"half-way after %1 ms"_qs.arg(chrono.elapsed())));
    QTRY_COMPARE(reperes.size(), 2);
    QVERIFY2(chrono.elapsed() >= 119, qPrintable(u"ended after %1 ms"_qs.arg(chrono.elapsed())));
    QVERIFY(!sortie.en_lecture());
}

QTEST_GUILESS_MAIN(TestTon)
#include "test_ton.moc"
