// "Fiche du participant…": the current row's participant, each field optional. The
// form shows this one participant only; who it is (its UUID) is not for editing.
#pragma once
#include "base/donnees_essais.h"
#include <QDialog>

class QComboBox;
class QLineEdit;
class QSpinBox;

namespace fantrel::app {

class FicheParticipant : public QDialog
{
    Q_OBJECT
public:
    explicit FicheParticipant(QWidget *parent = nullptr);

    void montre(const base::Participant &participant);
    // The fields as typed, over the participant shown (empty texts: not given).
    base::Participant lue() const;

    QLineEdit *Edit_code = nullptr;
    QSpinBox *Spin_age = nullptr; // 0: not given
    QComboBox *Combo_genre = nullptr; // editable: any wording
    QComboBox *Combo_lateralite = nullptr;
    QLineEdit *Edit_groupe = nullptr;
    QLineEdit *Edit_consentement = nullptr;
    QLineEdit *Edit_remarque = nullptr;

private:
    base::Participant m_participant;
};

} // namespace fantrel::app
