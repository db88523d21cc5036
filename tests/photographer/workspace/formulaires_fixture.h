#pragma once

#include "common/helpers.h"
#include "common/paths.h"
#include "common/text.h"
#include "photographer/workspace/accueil.h"
#include "photographer/workspace/base.h"
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
#include <QEvent>
#include <QTest>

// A photographer's machine after a normal start: data folder, database,
// settings; every form shown by a test is unloaded at its end.
class FormulairesAtelier : public ::testing::Test {
protected:
    FormulairesAtelier()
    {
        etat::CheminDonnees = paths::onDrive({QStringLiteral("VizmoraDatas")});
        paths::ensureFolder(etat::CheminDonnees);
        EcrireRegistre(etat::kCleRegistre, QStringLiteral("csv"), QStringLiteral(";"));
        EcrireRegistre(etat::kCleRegistre, QStringLiteral("NewBase"), QStringLiteral("0"));
        EcrireRegistre(etat::kCleRegistre, QStringLiteral("DateMaj"), text::frenchDate(QDate::currentDate()));
    }

    ~FormulairesAtelier() override
    {
        dechargerFormulaires<ParamPhotographe, FormNouvEtab, OuvrirEtab, Propos, Accueil>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        base::fermer();
    }

    template <class... F>
    static void dechargerFormulaires()
    {
        (dechargerSiCharge<F>(), ...);
    }

    static QString ajouterEtablissement(const QString& nom)
    {
        return QString::number(base::db().insert(
            QStringLiteral("INSERT INTO Etablissements (Nom, \"Code Postal\") VALUES (?, '69000')"), {nom}));
    }

    // Types the text key by key, accented letters included.
    static void taper(QWidget* boite, const QString& texte)
    {
        for (const QChar c : texte)
            QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    static bool accueilAffiche()
    {
        const Accueil* accueil = existingForm<Accueil>();
        return accueil && accueil->isVisible();
    }

    Sandbox sandbox_;
    ScriptedDialogs dialogues_;

private:
    template <class F>
    static void dechargerSiCharge()
    {
        if (F* form = existingForm<F>())
            form->unload();
    }
};
