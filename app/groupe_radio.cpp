#include "app/groupe_radio.h"
#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace fantrel::app {

GroupeRadio::GroupeRadio(const QString &titre, const QStringList &items, QWidget *parent)
    : QGroupBox(titre, parent), m_boutons(new QButtonGroup(this))
{
    auto *disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(8, 4, 4, 4);
    disposition->setSpacing(0);
    for (int i = 0; i < items.size(); ++i) {
        auto *r = new QRadioButton(items[i], this);
        r->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(i));
        m_boutons->addButton(r, i);
        disposition->addWidget(r);
    }
}

int GroupeRadio::index_choisi() const
{
    return m_boutons->checkedId();
}

void GroupeRadio::definir_index(int index)
{
    const int dernier = int(m_boutons->buttons().size()) - 1;
    index = std::clamp(index, -1, dernier);
    if (index < 0) {
        // An exclusive group cannot uncheck its last button by itself.
        m_boutons->setExclusive(false);
        for (auto *b : m_boutons->buttons())
            b->setChecked(false);
        m_boutons->setExclusive(true);
        return;
    }
    m_boutons->button(index)->setChecked(true);
}

} // namespace fantrel::app
