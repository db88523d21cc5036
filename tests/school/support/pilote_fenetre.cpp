#include "tests/school/support/pilote_fenetre.h"

#include <QComboBox>
#include <QTest>

QStringList PiloteFenetre::entrees(const QString& liste) const
{
    auto* combo = controle<QComboBox>(liste);
    QStringList textes;
    for (int i = 0; combo && i < combo->count(); ++i)
        textes << combo->itemText(i);
    return textes;
}

void PiloteFenetre::cliquer(const QString& nom) const
{
    if (auto* widget = controle<QWidget>(nom))
        QTest::mouseClick(widget, Qt::LeftButton);
}

void PiloteFenetre::choisir(const QString& liste, const QString& texte) const
{
    auto* combo = controle<QComboBox>(liste);
    ASSERT_NE(combo, nullptr);
    const int index = combo->findText(texte);
    ASSERT_GE(index, 0) << texte.toStdString();
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
}
