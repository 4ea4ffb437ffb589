// The samples of a tone: length, frequency, ramps without click, silence outside
// the playable range; and the real tone blocking for its duration.
#include "music/ton.h"
#include <QElapsedTimer>
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
    void bip_bloque_la_duree();
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

void TestTon::bip_bloque_la_duree()
{
    QElapsedTimer chrono;
    chrono.start();
    music::bip_reel(440, 120);
    const qint64 ecoule = chrono.elapsed();
    QVERIFY2(ecoule >= 119, qPrintable(u"returned after %1 ms"_qs.arg(ecoule)));
}

QTEST_GUILESS_MAIN(TestTon)
#include "test_ton.moc"
