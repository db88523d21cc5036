#pragma once

#include "common/database.h"
#include "common/ui/form.h"
#include "common/helpers.h"
#include "common/paths.h"
#include "photographer/shoot/choix_classe.h"
#include "photographer/shoot/hot_folder.h"
#include "photographer/workspace/accueil.h"
#include "photographer/data/base.h"
#include "photographer/workspace/demarrage.h"
#include "photographer/data/etat.h"
#include "photographer/workspace/form_nouv_etab.h"
#include "photographer/workspace/ouvrir_etab.h"
#include "photographer/workspace/param_photographe.h"
#include "photographer/ui/propos.h"
#include "tests/support/recording_shell.h"
#include "tests/support/sandbox.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QTest>

// A photographer's machine before the main window starts: a fresh drive root,
// settings and program folder, scripted dialogs and a recording shell, and no
// state left by an earlier test. Every form a test opened is unloaded at its end.
class PhotographeFixture : public ::testing::Test {
protected:
    PhotographeFixture()
    {
        Accueil::registerAsMainWindow();
        base::fermer();
        etat::CodeEtabEnCours.clear();
        etat::NomEtabEnCours.clear();
        etat::SeparateurCsv.clear();
        etat::DossierHot.clear();
        etat::ClasseEnCours.clear();
        etat::SensPriseDeVue.clear();
        demarrage::fixerDossierDonnees();
    }

    ~PhotographeFixture() override
    {
        toutFermer();
        base::fermer();
    }

    // Unloads every form the main window leads to, then the main window,
    // which some of them show again as they close.
    static void toutFermer()
    {
        decharger<ChoixClasse, OuvrirEtab, FormNouvEtab, ParamPhotographe, HotFolder, Propos, Accueil>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static void reglage(const QString& nom, const QString& valeur)
    {
        EXPECT_TRUE(EcrireRegistre(etat::kCleRegistre, nom, valeur)) << nom.toStdString();
    }
    static QString reglageLu(const QString& nom)
    {
        return LireRegistre(etat::kCleRegistre, nom).value_or(QStringLiteral("<absent>"));
    }

    // The database of the root, created with its folder on first use.
    static db::Database& base()
    {
        EXPECT_TRUE(paths::ensureFolder(etat::CheminDonnees));
        return base::db();
    }
    static QString ajouterEtablissement(const QString& nom, const QString& codePostal = QStringLiteral("75001"))
    {
        return QString::number(base().insert(
            QStringLiteral("INSERT INTO Etablissements (Nom, \"Code Postal\") VALUES (?1, ?2)"), {nom, codePostal}));
    }
    static QString eleve(const QString& classe, const QString& nom, const QString& prenom,
                         const QString& code = etat::CodeEtabEnCours)
    {
        return QString::number(base().insert(
            QStringLiteral("INSERT INTO Eleves (CodeEtablissement, Classe, Nom, Prenom) VALUES (?, ?, ?, ?)"),
            {code, classe, nom, prenom}));
    }
    static int compter(const QString& sql, const db::Params& params = {})
    {
        return base().scalar(sql, params).toInt();
    }

    static Accueil& demarrer()
    {
        Accueil& accueil = formInstance<Accueil>();
        accueil.showForm();
        return accueil;
    }
    static QString libelle(Accueil& accueil)
    {
        return accueil.findChild<QLabel*>(QStringLiteral("Label1"))->text();
    }
    static bool accueilAffiche()
    {
        const Accueil* accueil = existingForm<Accueil>();
        return accueil && accueil->isVisible();
    }

    // Types the text key by key, accented letters included.
    static void taper(QWidget* boite, const QString& texte)
    {
        for (const QChar c : texte)
            QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    // Unloads the forms of those classes that are loaded.
    template <class... F>
    static void decharger()
    {
        const auto un = [](Form* form) {
            if (form)
                form->unload();
        };
        (un(existingForm<F>()), ...);
    }

    Sandbox sandbox_;
    ScriptedDialogs dialogues_;
    RecordingShell shell_;
};
