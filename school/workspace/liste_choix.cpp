#include "school/workspace/liste_choix.h"

#include "common/ui/layout.h"
#include "school/ui/outils_fenetre.h"

ListeChoix::ListeChoix(QWidget* colonne) : QObject(colonne), colonne_(colonne)
{
    ouvrirLigne();
    vider();
}

void ListeChoix::ouvrirLigne()
{
    const int index = textes_.size();
    QLabel* texte = textes_.append(new QLabel(colonne_), QStringLiteral("Lblisteeleves"));
    texte->setTextFormat(Qt::PlainText);
    layout::setBackground(texte, 0xFFFFFF);
    ClickableLabel* icone = icones_.append(new ClickableLabel(colonne_), QStringLiteral("ImageSupp"));
    icone->setPixmap(dessins::croixRetrait(layout::px(195)));
    if (index == 0) {
        layout::place(texte, 0, 4080, 1575, 255);
        layout::place(icone, 1800, 4080, 195, 195);
    } else {
        const int hauteur = textes_[index - 1]->height();
        texte->setGeometry(textes_[index - 1]->geometry().translated(0, hauteur));
        icone->setGeometry(icones_[index - 1]->geometry().translated(0, hauteur));
    }
    connect(icone, &ClickableLabel::clicked, this, [this, index] { Q_EMIT retraitDemande(index); });
    cles_.push_back(0);
    if (index > 0)
        Q_EMIT ligneAjoutee(texte->height());
}

void ListeChoix::montrer(const QString& texte, bool enTete)
{
    QLabel* ligne = textes_[textes_.size() - 1];
    ClickableLabel* icone = icones_[icones_.size() - 1];
    ligne->setText(texte);
    ligne->setAlignment((enTete ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    ligne->setStyleSheet(QStringLiteral("color: %1; font-weight: %2;")
                             .arg(QColor(layout::bgr(enTete ? 0x0000C0 : 0x008000)).name(),
                                  enTete ? QStringLiteral("bold") : QStringLiteral("normal")));
    ligne->show();
    icone->show();
    ligne->raise();
    icone->raise();
}

void ListeChoix::ecrireEnTete(const QString& classe)
{
    if (eleveAjoute_) {
        if (textes_.size() > 1)
            ouvrirLigne();
        eleveAjoute_ = false;
    }
    cles_.back() = 0;
    montrer(classe, true);
}

void ListeChoix::ajouterEleve(const QString& texte, qint64 cdeGroupes)
{
    ouvrirLigne();
    cles_.back() = cdeGroupes;
    montrer(texte, false);
    eleveAjoute_ = true;
}

qint64 ListeChoix::cle(int index) const
{
    return index >= 0 && index < int(cles_.size()) ? cles_[size_t(index)] : 0;
}

void ListeChoix::retirer(int index)
{
    if (index < 0 || index >= int(cles_.size()))
        return;
    textes_[index]->hide();
    icones_[index]->hide();
    cles_[size_t(index)] = 0;
    const QPoint pas(0, layout::px(17));
    for (int k = index + 1; k < textes_.size(); ++k) {
        textes_[k]->move(textes_[k]->pos() - pas);
        icones_[k]->move(icones_[k]->pos() - pas);
    }
}

void ListeChoix::vider()
{
    textes_.clear();
    icones_.clear();
    cles_.assign(1, 0);
    eleveAjoute_ = false;
}
