#include "school/workspace/menus_accueil.h"

#include "common/ui/form.h"
#include "common/ui/menus.h"
#include "school/data/etat.h"
#include "school/printing/form_export.h"
#include "school/printing/impression.h"
#include "school/workspace/a_propos.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

MenusAccueil::MenusAccueil(QMenuBar* barre, QObject* parent) : QObject(parent)
{
    creerFichier(barre);
    creerAutres(barre);
}

void MenusAccueil::creerFichier(QMenuBar* barre)
{
    QMenu* fichier = menus::menu(barre, QStringLiteral("Mnu_Fichier"), QStringLiteral("Fichier"));
    MNU_Imprimer = menus::entry(fichier, QStringLiteral("MNU_Imprimer"), QStringLiteral("Imprimer classe en cours..."));
    connect(MNU_Imprimer, &QAction::triggered, this, [] { imprimerDocument(etat::FichierImpression); });
    MNU_Trimestre = menus::entry(fichier, QStringLiteral("MNU_Trimestre"), QStringLiteral("Imprimer fiche trimestielle"));
    MNU_CARTES = menus::entry(fichier, QStringLiteral("MNU_CARTES"), QStringLiteral("Imprimer Cartes..."));
    connect(MNU_CARTES, &QAction::triggered, this, [this] { imprimerDocument(fichierCartes_); });
    MNU_Etiquettes = menus::entry(fichier, QStringLiteral("MNU_Etiquettes"), QStringLiteral("Imprimer étiquettes..."));
    connect(MNU_Etiquettes, &QAction::triggered, this, [this] { imprimerDocument(fichierEtiquettes_); });
    desactiverImpression();
    menus::separator(fichier, QStringLiteral("MNU_L4"));
    MNU_Imp_Toutes_Classes =
        menus::entry(fichier, QStringLiteral("MNU_Imp_Toutes_Classes"), QStringLiteral("Imprimer toutes les classes..."));
    MNU_Groupes = menus::entry(fichier, QStringLiteral("MNU_Groupes"), QStringLiteral("Imprimer tous les groupes..."));
    for (QAction* tous : {MNU_Imp_Toutes_Classes, MNU_Groupes})
        tous->setEnabled(false);
    menus::separator(fichier, QStringLiteral("MNU_L1"));
    MNU_Quitter = menus::entry(fichier, QStringLiteral("MNU_Quitter"), QStringLiteral("Quitter"));
}

void MenusAccueil::creerAutres(QMenuBar* barre)
{
    QMenu* exporter = menus::menu(barre, QStringLiteral("MNU_Export"), QStringLiteral("Exporter"));
    connect(menus::entry(exporter, QStringLiteral("MNU_Logiciels"), QStringLiteral("Autres logiciels...")),
            &QAction::triggered, this, [] { formInstance<FormExport>().showForm(); });

    QMenu* aide = menus::menu(barre, QStringLiteral("MNU_Ver"), QStringLiteral("?"));
    MNU_Aide = menus::entry(aide, QStringLiteral("MNU_Aide"), QStringLiteral("Mise à jour..."));
    menus::separator(aide, QStringLiteral("MNU_Line"));
    connect(menus::entry(aide, QStringLiteral("Mnu_Propos"), QStringLiteral("A propos de...")), &QAction::triggered,
            this, [] { formInstance<APropos>().showForm(); });
}

void MenusAccueil::desactiverImpression()
{
    for (QAction* action : {MNU_Imprimer, MNU_CARTES, MNU_Etiquettes, MNU_Trimestre})
        action->setEnabled(false);
}

void MenusAccueil::nommerDocument(const QString& chemin)
{
    etat::FichierImpression = chemin;
}

void MenusAccueil::nommerCartes(const QString& cartes, const QString& etiquettes)
{
    fichierCartes_ = cartes;
    fichierEtiquettes_ = etiquettes;
    activerCartes();
}

void MenusAccueil::activerCartes()
{
    MNU_CARTES->setEnabled(!fichierCartes_.isEmpty());
    MNU_Etiquettes->setEnabled(!fichierEtiquettes_.isEmpty());
}
