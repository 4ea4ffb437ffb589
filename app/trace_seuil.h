// The track of a threshold run: the level of each trial (a filled dot right, a ring
// wrong) and the threshold found as a dashed line. Draws the procedure it is given.
#pragma once
#include "trials/procedure_seuil.h"
#include <QWidget>

namespace fantrel::app {

class TraceSeuil : public QWidget
{
    Q_OBJECT
public:
    explicit TraceSeuil(QWidget *parent = nullptr);
    void montre(const QVector<trials::PasSeuil> &trace, std::optional<double> seuil,
                const QString &unite);

protected:
    void paintEvent(QPaintEvent *evenement) override;

private:
    QVector<trials::PasSeuil> m_trace;
    std::optional<double> m_seuil;
    QString m_unite;
};

} // namespace fantrel::app
