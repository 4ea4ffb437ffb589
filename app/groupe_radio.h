// A captioned group of radio items with one selected index, −1 selecting none.
#pragma once
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace fantrel::app {

class GroupeRadio : public QGroupBox
{
    Q_OBJECT
public:
    GroupeRadio(const QString &titre, const QStringList &items, QWidget *parent = nullptr);
    int index_choisi() const;
    // Values below −1 are taken as −1 (none), above the last item as the last one.
    void definir_index(int index);

private:
    QButtonGroup *m_boutons = nullptr;
};

} // namespace fantrel::app
