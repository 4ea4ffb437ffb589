// What a case needs to run where it claims to run, as root too: root's rights over
// files put aside, a case replayed in a fresh process (alone, or in a user and mount
// namespace of its own), and a case that cannot run here failing, not skipped, when
// FANTREL_EXIGER_TOUT=1 (./test.sh sets it).
#pragma once
#include <QString>
#include <QStringList>
#include <QTest>

#include <cstdint>

namespace commun {

// FANTREL_EXIGER_TOUT=1: every case must run here.
bool exiger_tout();

// The calling thread drops CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH from its effective
// set until the object goes (capabilities are per thread): root then meets a file's
// permissions as any user does. Nothing to drop for an ordinary user.
class SansDroitsDeRoot
{
public:
    SansDroitsDeRoot();
    ~SansDroitsDeRoot();
    SansDroitsDeRoot(const SansDroitsDeRoot &) = delete;
    SansDroitsDeRoot &operator=(const SansDroitsDeRoot &) = delete;
    // False when the kernel refused: the case would not test what it says.
    bool ok() const { return m_ok; }

private:
    bool m_ok = false;
    std::uint32_t m_effectifs[2]{};
};

// True in a process that rejoue_dans_un_enfant started.
bool dans_un_enfant();
// Runs the current test function's current row again, alone, in a fresh process of
// this program (behind `enveloppe`, a command such as unshare's), and fails the case
// unless it passed there: failed, skipped or crashed, with the child's output.
void rejoue_dans_un_enfant(const QStringList &enveloppe = {});

// unshare's command for a user and mount namespace of its own, its root mapped to us:
// there a tmpfs can be mounted by anyone, and disappears with the process.
QStringList enveloppe_espace_prive();
// Why that namespace cannot be made here; empty when it can.
QString espace_prive_impossible();

} // namespace commun

// QSKIP, or QFAIL under FANTREL_EXIGER_TOUT=1.
#define FANTREL_SAUTER(raison)                                                  \
  do {                                                                          \
    if (commun::exiger_tout())                                                  \
      QFAIL(qPrintable(QStringLiteral("FANTREL_EXIGER_TOUT=1 : ") + (raison))); \
    QSKIP(qPrintable(raison));                                                  \
  } while (false)
