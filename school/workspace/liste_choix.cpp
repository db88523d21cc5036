#include "school/workspace/liste_choix.h"

#include "common/ui/layout.h"
#include "school/data/etat.h"
#include "school/workspace/outils_fenetre.h"

#include <QLabel>

ListeChoix::ListeChoix(QWidget* colonne) : QObject(colonne), colonne_(colonne)
{
    ouvrirLigne();
    vider();
}

void ListeChoix::ouvrirLigne()
{
    const int index = int(lignes_.size());
    Ligne ligne;
    ligne.texte = new QLabel(colonne_);
    ligne.texte->setTextFormat(Qt::PlainText);
    ligne.texte->setObjectName(QStringLiteral("Lblisteeleves_%1").arg(index));
    ligne.icone = new ImageCliquable(colonne_);
    ligne.icone->setObjectName(QStringLiteral("ImageSupp_%1").arg(index));
    ligne.icone->setPixmap(dessins::croixRetrait(layout::px(195)));
    ligne.icone->setCursor(Qt::PointingHandCursor);
    layout::setBackground(ligne.texte, 0xFFFFFF);
    if (index == 0) {
        layout::place(ligne.texte, 0, 4080, 1575, 255);
        layout::place(ligne.icone, 1800, 4080, 195, 195);
    } else {
        const Ligne& dessus = lignes_.back();
        const int hauteur = dessus.texte->height();
        ligne.texte->setGeometry(dessus.texte->geometry().translated(0, hauteur));
        ligne.icone->setGeometry(dessus.icone->geometry().translated(0, hauteur));
    }
    connect(ligne.icone, &ImageCliquable::clique, this, [this, index] { Q_EMIT retraitDemande(index); });
    lignes_.push_back(ligne);
    etat::NbEntreesListe = index;
    if (index > 0)
        Q_EMIT ligneAjoutee(ligne.texte->height());
}

void ListeChoix::montrer(Ligne& ligne, const QString& texte, bool enTete)
{
    ligne.texte->setText(texte);
    ligne.texte->setAlignment((enTete ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    ligne.texte->setStyleSheet(QStringLiteral("color: %1; font-weight: %2;")
                                   .arg(QColor(layout::bgr(enTete ? 0x0000C0 : 0x008000)).name(),
                                        enTete ? QStringLiteral("bold") : QStringLiteral("normal")));
    ligne.texte->show();
    ligne.icone->show();
    ligne.texte->raise();
    ligne.icone->raise();
}

void ListeChoix::ecrireEnTete(const QString& classe)
{
    if (etat::EleveAjouteAuGroupe) {
        if (etat::NbEntreesListe > 0)
            ouvrirLigne();
        etat::EleveAjouteAuGroupe = false;
    }
    Ligne& ligne = lignes_.back();
    ligne.cle = 0;
    montrer(ligne, classe, true);
}

void ListeChoix::ajouterEleve(const QString& texte, qint64 cdeGroupes)
{
    ouvrirLigne();
    Ligne& ligne = lignes_.back();
    ligne.cle = cdeGroupes;
    montrer(ligne, texte, false);
}

qint64 ListeChoix::cle(int index) const
{
    return index >= 0 && index < int(lignes_.size()) ? lignes_[size_t(index)].cle : 0;
}

void ListeChoix::retirer(int index)
{
    if (index < 0 || index >= int(lignes_.size()))
        return;
    lignes_[size_t(index)].texte->hide();
    lignes_[size_t(index)].icone->hide();
    lignes_[size_t(index)].cle = 0;
    const int pas = layout::px(17);
    for (size_t k = size_t(index) + 1; k < lignes_.size(); ++k) {
        lignes_[k].texte->move(lignes_[k].texte->pos() - QPoint(0, pas));
        lignes_[k].icone->move(lignes_[k].icone->pos() - QPoint(0, pas));
    }
}

void ListeChoix::vider()
{
    // The icon whose click led here may be one of these lines: delete later.
    while (lignes_.size() > 1) {
        Ligne& ligne = lignes_.back();
        ligne.texte->hide();
        ligne.icone->hide();
        ligne.texte->setObjectName(QString());
        ligne.icone->setObjectName(QString());
        ligne.texte->deleteLater();
        ligne.icone->deleteLater();
        lignes_.pop_back();
    }
    lignes_[0].texte->hide();
    lignes_[0].icone->hide();
    lignes_[0].cle = 0;
    etat::NbEntreesListe = 0;
}
