#include "photographer/prices/ligne_saisie.h"

#include "common/ui/layout.h"
#include "photographer/prices/saisies.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

QString nomIndice(const char* nom, int i)
{
    return QString::fromLatin1(nom) + u'_' + QString::number(i);
}

LigneSaisie::LigneSaisie(QWidget* parent, const Plan& plan)
{
    for (std::size_t i = 0; i < 4; ++i) {
        legendes_[i] = layout::caption(parent, nomIndice(plan.legende, int(i)), QString::fromUtf8(plan.textes[i]));
        legendes_[i]->setWordWrap(true);
        layout::place(legendes_[i], plan.legendeX[i], plan.legendeY[i], plan.legendeL[i], plan.legendeH[i]);
        boites_[i] = new QLineEdit(parent);
        boites_[i]->setObjectName(nomIndice(plan.boite, int(i)));
        layout::place(boites_[i], plan.boiteX[i], plan.boiteY, plan.boiteL[i], 375);
    }
    const char* const textes[] = {"Valider", "Annuler"};
    for (std::size_t i = 0; i < 2; ++i) {
        ajout_[i] = new QPushButton(QString::fromLatin1(textes[i]), parent);
        ajout_[i]->setObjectName(nomIndice(plan.ajout, int(i)));
        layout::place(ajout_[i], plan.boutonX[i], plan.boiteY, plan.boutonL[i], 375);
        modif_[i] = new QPushButton(QString::fromLatin1(textes[i]), parent);
        modif_[i]->setObjectName(nomIndice(plan.modif, int(i)));
        layout::place(modif_[i], plan.boutonX[i], plan.boiteY, plan.boutonL[i], 375);
    }
    // Tab follows the row as it shows, left to right, whatever order the
    // boxes are numbered in, then goes to its buttons.
    std::vector<QWidget*> ordre(boites_.begin(), boites_.end());
    std::stable_sort(ordre.begin(), ordre.end(), [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    ordre.insert(ordre.end(), {ajout_[0], modif_[0], ajout_[1], modif_[1]});
    saisies::ordreTab(ordre);
    cacher(false);
}

QString LigneSaisie::texte(int i) const
{
    return boite(i)->text();
}

QString LigneSaisie::legende(int i) const
{
    return legendes_[std::size_t(i)]->text();
}

void LigneSaisie::montrer(int depuis, bool pourAjout)
{
    for (std::size_t i = std::size_t(depuis); i < 4; ++i) {
        legendes_[i]->show();
        boites_[i]->setEnabled(true);
        boites_[i]->show();
    }
    for (QPushButton* bouton : pourAjout ? ajout_ : modif_)
        bouton->show();
}

void LigneSaisie::cacher(bool videes)
{
    for (std::size_t i = 0; i < 4; ++i) {
        legendes_[i]->hide();
        boites_[i]->setEnabled(false);
        boites_[i]->hide();
    }
    for (std::size_t i = 0; i < 2; ++i) {
        ajout_[i]->hide();
        modif_[i]->hide();
    }
    if (videes)
        vider();
}

void LigneSaisie::vider()
{
    for (QLineEdit* boite : boites_)
        boite->clear();
}

int LigneSaisie::premiereVide(std::initializer_list<int> indexes) const
{
    for (const int i : indexes) {
        if (texte(i).isEmpty())
            return i;
    }
    return -1;
}
