#include "photographer/shoot/menus_prise_de_vue.h"

#include "common/ui/menus.h"

#include <QMenu>
#include <QMenuBar>

#include <utility>

MenusPriseDeVue::MenusPriseDeVue(QMenuBar* barre, QWidget* ecran)
{
    construireClasses(barre);
    construireExportations(barre);
    construireOutils(barre);
    construireAide(barre);
    construirePopup(ecran);
}

void MenusPriseDeVue::construireClasses(QMenuBar* barre)
{
    QMenu* MNU_Classes = menus::menu(barre, QStringLiteral("MNU_Classes"), QStringLiteral("Classes"));
    // Hidden, and its entry does nothing: "Créer une classe" adds a class.
    menus::entry(MNU_Classes, QStringLiteral("MNU_AjoutClasse"), QStringLiteral("Ajout..."));
    MNU_Classes->menuAction()->setVisible(false);

    QMenu* MNU_Eleves = menus::menu(barre, QStringLiteral("MNU_Eleves"), QStringLiteral("Eleves"));
    MNU_AjoutEleve = menus::entry(MNU_Eleves, QStringLiteral("MNU_AjoutEleve"), QStringLiteral("Ajout..."));

    QMenu* MNU_Classe = menus::menu(barre, QStringLiteral("MNU_Classe"), QStringLiteral("Classe"));
    MNU_Changer = menus::entry(MNU_Classe, QStringLiteral("MNU_Changer"), QStringLiteral("Changer"));
    MNU_Changer->setEnabled(false);
    MNU_Créer_Classe = menus::entry(MNU_Classe, QStringLiteral("MNU_Créer_Classe"), QStringLiteral("Créer une classe"));
}

void MenusPriseDeVue::construireExportations(QMenuBar* barre)
{
    MNU_Export = menus::menu(barre, QStringLiteral("MNU_Export"), QStringLiteral("Exportations"));
    MNU_Final = menus::menu(MNU_Export, QStringLiteral("MNU_Final"), QStringLiteral("Photos établissement..."));
    for (const auto& [texte, nom] : {std::pair{"Photos avec Vizmora...", "MNU_avecVizmora"},
                                     std::pair{"Photos \"Nom Prénom.jpg\"...", "MNU_Photos_Nom_prenom"},
                                     std::pair{"Photos \"Nom.Prénom.jpg\"", "MNU_Photos_Nom_P_prenom"},
                                     std::pair{"Photos \"Nom_Prénom.jpg\"", "MNU_Photos_Nom_T_prenom"},
                                     std::pair{"Photos \"Classes \\ Nom Prénom.jpg\"...", "MNU_Photos_Classes_Nom_prenom"}})
        livraisons.push_back(menus::entry(MNU_Final, QString::fromLatin1(nom), QString::fromUtf8(texte)));
    QMenu* Mnu_Labo = menus::menu(MNU_Export, QStringLiteral("Mnu_Labo"), QStringLiteral("Exportation pour le labo..."));
    livraisons.push_back(menus::entry(Mnu_Labo, QStringLiteral("MNU_HD1"), QStringLiteral("Photo HD Classe_Nom_Prénom.jpg")));
    livraisons.push_back(menus::entry(Mnu_Labo, QStringLiteral("MNU_HD2"), QStringLiteral("Photo HD Nom Prénom Classe.jpg")));
}

void MenusPriseDeVue::construireOutils(QMenuBar* barre)
{
    QMenu* MNU_Outils = menus::menu(barre, QStringLiteral("MNU_Outils"), QStringLiteral("Outils..."));
    MNU_Test_Prise_vue = menus::entry(MNU_Outils, QStringLiteral("MNU_Test_Prise_vue"), QStringLiteral("Test Prise de vue"));
    MNU_Test_Prise_vue->setEnabled(false);
    MNU_Outils->addSeparator();
    MNU_Net_hot = menus::entry(MNU_Outils, QStringLiteral("MNU_Net_hot"), QStringLiteral("Nettoyer le Hotfolder (tmp)"));
    MNU_Purge_Hot = menus::entry(MNU_Outils, QStringLiteral("MNU_Purge_Hot"), QStringLiteral("Purger le Hotfolder..."));
    MNU_Outils->addSeparator();
    MNU_Sans_PC = menus::entry(MNU_Outils, QStringLiteral("MNU_Sans_PC"), QStringLiteral("Importation JPG..."));
    MNU_Sans_PC->setEnabled(false);
    MNU_Outils->addSeparator();
    MNU_Tarif_Etab = menus::entry(MNU_Outils, QStringLiteral("MNU_Tarif_Etab"),
                                  QStringLiteral("Ressaisir les tarifs établissement..."));
    MNU_Tarif_Etab->setEnabled(false);
}

void MenusPriseDeVue::construireAide(QMenuBar* barre)
{
    QMenu* MNU_Ver = menus::menu(barre, QStringLiteral("MNU_Ver"), QStringLiteral("?"));
    // A caption only: there is no help to open.
    menus::entry(MNU_Ver, QStringLiteral("MNU_AIDE"), QStringLiteral("Aide"));
    MNU_Ver->addSeparator();
    MNU_Propos = menus::entry(MNU_Ver, QStringLiteral("MNU_Propos"), QStringLiteral("A propos de..."));
}

void MenusPriseDeVue::construirePopup(QWidget* ecran)
{
    MNU_POPUP_ELEVES = new QMenu(QStringLiteral("GestionEleve"), ecran);
    MNU_POPUP_ELEVES->setObjectName(QStringLiteral("MNU_POPUP_ELEVES"));
    MNU_Change_Classe = menus::entry(MNU_POPUP_ELEVES, QStringLiteral("MNU_Change_Classe"), QStringLiteral("Changer de classe..."));
    MNU_POPUP_ELEVES->addSeparator();
    MNU_Sup_Eleve = menus::entry(MNU_POPUP_ELEVES, QStringLiteral("MNU_Sup_Eleve"), QStringLiteral("Supprimer..."));
}
