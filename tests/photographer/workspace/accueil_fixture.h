#pragma once

#include "common/database.h"
#include "common/helpers.h"
#include "common/paths.h"
#include "photographer/shoot/choix_classe.h"
#include "photographer/shoot/hot_folder.h"
#include "photographer/workspace/accueil.h"
#include "photographer/workspace/base.h"
#include "photographer/workspace/demarrage.h"
#include "photographer/workspace/etat.h"
#include "photographer/workspace/form_nouv_etab.h"
#include "photographer/workspace/ouvrir_etab.h"
#include "photographer/workspace/param_photographe.h"
#include "photographer/workspace/propos.h"
#include "tests/support/recording_shell.h"
#include "tests/support/sandbox.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QLabel>

// A fresh drive root, settings and program folder, scripted dialogs and a
// recording shell; the photographer database of the root is at hand before
// the main window starts.
class AccueilFixture : public ::testing::Test {
protected:
    AccueilFixture()
    {
        base::fermer();
        etat::CodeEtabEnCours.clear();
        etat::NomEtabEnCours.clear();
        etat::SeparateurCsv.clear();
        etat::DossierHot.clear();
        demarrage::fixerDossierDonnees();
    }

    ~AccueilFixture() override
    {
        toutFermer();
        base::fermer();
    }

    // Unloads every form the main window leads to, then the main window,
    // which some of them show again as they close.
    static void toutFermer()
    {
        const auto fermer = [](Form* form) {
            if (form)
                form->unload();
        };
        fermer(existingForm<ChoixClasse>());
        fermer(existingForm<OuvrirEtab>());
        fermer(existingForm<FormNouvEtab>());
        fermer(existingForm<ParamPhotographe>());
        fermer(existingForm<HotFolder>());
        fermer(existingForm<Propos>());
        fermer(existingForm<Accueil>());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void reglage(const QString& nom, const QString& valeur)
    {
        EcrireRegistre(etat::kCleRegistre, nom, valeur);
    }
    static QString reglageLu(const QString& nom)
    {
        return LireRegistre(etat::kCleRegistre, nom).value_or(QStringLiteral("<absent>"));
    }

    // The database of the root, created before the start.
    static db::Database& base()
    {
        paths::ensureFolder(etat::CheminDonnees);
        return base::db();
    }
    static QString ajouterEtablissement(const QString& nom, const QString& codePostal = QStringLiteral("75001"))
    {
        return QString::number(base().insert(
            QStringLiteral("INSERT INTO Etablissements (Nom, \"Code Postal\") VALUES (?1, ?2)"), {nom, codePostal}));
    }
    static void ajouterEleve(const QString& code, const QString& nom)
    {
        base().insert(QStringLiteral("INSERT INTO Eleves (CodeEtablissement, Classe, Nom) VALUES (?1, '6A', ?2)"),
                      {code, nom});
    }
    static int compter(const QString& sql, const db::Params& params = {})
    {
        return base().scalar(sql, params).toInt();
    }

    Accueil& demarrer()
    {
        Accueil& accueil = formInstance<Accueil>();
        accueil.showForm();
        return accueil;
    }
    static QString libelle(Accueil& accueil)
    {
        return accueil.findChild<QLabel*>(QStringLiteral("Label1"))->text();
    }

    Sandbox sandbox;
    RecordingShell coquille;
    ScriptedDialogs dialogues;
};
