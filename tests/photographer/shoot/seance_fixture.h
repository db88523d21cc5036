#pragma once

#include "common/database.h"
#include "common/layout.h"
#include "common/paths.h"
#include "photographer/shoot/choix_classe.h"
#include "photographer/shoot/hot_folder.h"
#include "photographer/shoot/planche_eleves.h"
#include "photographer/shoot/prise_de_vue.h"
#include "photographer/workspace/accueil.h"
#include "photographer/workspace/base.h"
#include "photographer/workspace/demarrage.h"
#include "photographer/workspace/etat.h"
#include "photographer/workspace/propos.h"
#include "tests/support/recording_shell.h"
#include "tests/support/sandbox.h"
#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// One establishment "Ecole Test" in a fresh drive root, its data, archive and
// watched folders, scripted dialogs and a recording shell.
class SeanceFixture : public ::testing::Test {
protected:
    SeanceFixture()
    {
        base::fermer();
        demarrage::fixerDossierDonnees();
        paths::ensureFolder(etat::CheminDonnees);
        etat::DossierHot = demarrage::dossierHotParDefaut();
        paths::ensureFolder(etat::DossierHot);
        paths::ensureFolder(paths::onDrive({QStringLiteral("labohd")}));
        etat::SensPriseDeVue.clear();
        etat::PriseDeVuePrete = false;
        etat::ImportManuel = false;
        etat::ClasseEnCours.clear();
        etat::DossierArchiveHD.clear();
        etat::Indice = 0;
        etat::NomEtabEnCours = QStringLiteral("Ecole Test");
        etat::CodeEtabEnCours = QString::number(base::db().insert(
            QStringLiteral("INSERT INTO Etablissements (Nom, \"Code Postal\") VALUES (?, '75001')"),
            {etat::NomEtabEnCours}));
    }

    ~SeanceFixture() override
    {
        if (auto* form = existingForm<ChoixClasse>())
            form->unload();
        if (auto* form = existingForm<HotFolder>())
            form->unload();
        if (auto* form = existingForm<Propos>())
            form->unload();
        if (auto* form = existingForm<Accueil>())
            form->unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        base::fermer();
    }

    static QString eleve(const QString& classe, const QString& nom, const QString& prenom,
                         const QString& code = etat::CodeEtabEnCours)
    {
        return QString::number(base::db().insert(
            QStringLiteral("INSERT INTO Eleves (CodeEtablissement, Classe, Nom, Prenom) VALUES (?, ?, ?, ?)"),
            {code, classe, nom, prenom}));
    }

    static QString colonne(const QString& cle, const QString& nom)
    {
        return base::db().scalar(QStringLiteral("SELECT %1 FROM Eleves WHERE CdeEleves = ?").arg(nom), {cle.toLongLong()});
    }

    static QString dossierEtab() { return paths::join(etat::CheminDonnees, {etat::NomEtabEnCours}); }
    static QString hot(const QString& nom) { return paths::join(etat::DossierHot, {nom}); }

    // A white landscape picture whose top-left quarter is red.
    static QByteArray jpeg(QSize size = {600, 400})
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter(&image).fillRect(0, 0, size.width() / 2, size.height() / 2, Qt::red);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(95);
        writer.write(image);
        return bytes;
    }

    static QByteArray lire(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    template <class W = QWidget>
    static W* controle(ChoixClasse& form, const QString& nom)
    {
        W* widget = form.findChild<W*>(nom);
        EXPECT_NE(widget, nullptr) << nom.toStdString();
        return widget;
    }

    static QAction* menu(ChoixClasse& form, const QString& nom)
    {
        for (QAction* action : form.findChildren<QAction*>(nom)) {
            if (action->objectName() == nom)
                return action;
        }
        ADD_FAILURE() << "no menu entry " << nom.toStdString();
        return nullptr;
    }

    // Shows the screen and clicks the button of one class.
    ChoixClasse& ouvrirClasse(const QString& classe)
    {
        ChoixClasse& form = formInstance<ChoixClasse>();
        form.showForm();
        for (QPushButton* bouton : form.findChildren<QPushButton*>()) {
            if (bouton->objectName().startsWith(QStringLiteral("Bt_Classe_")) && bouton->isVisible()
                && bouton->text() == classe) {
                QTest::mouseClick(bouton, Qt::LeftButton);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                return form;
            }
        }
        ADD_FAILURE() << "no button for class " << classe.toStdString();
        return form;
    }

    static PriseDeVue& prise(ChoixClasse& form)
    {
        auto* priseDeVue = form.findChild<PriseDeVue*>();
        EXPECT_NE(priseDeVue, nullptr);
        return *priseDeVue;
    }

    static void cliquer(ChoixClasse& form, int slot, Qt::MouseButton bouton = Qt::LeftButton)
    {
        QTest::mouseClick(controle(form, QStringLiteral("Photo_%1").arg(slot)), bouton);
    }

    static bool enRouge(ChoixClasse& form, int slot)
    {
        auto* nom = form.findChild<QLabel*>(QStringLiteral("LabelRecupNom_%1").arg(slot));
        auto* prenom = form.findChild<QLabel*>(QStringLiteral("LabelRecupPreNom_%1").arg(slot));
        return nom && prenom && nom->palette().color(QPalette::WindowText) == QColor(Qt::red)
               && prenom->palette().color(QPalette::WindowText) == QColor(Qt::red);
    }

    // Ticks until the camera file has left the watched folder (filed) or
    // the capture has stopped on it; false when neither came in time.
    static bool classer(ChoixClasse& form, const QString& cameraFile)
    {
        auto* timer = form.findChild<QTimer*>(QStringLiteral("TimerHot"));
        for (int i = 0; i < 200; ++i) {
            prise(form).TimerHot_Timer();
            QTest::qWait(25);
            if (!QFile::exists(cameraFile) || !timer->isActive())
                return true;
        }
        return false;
    }

    Sandbox sandbox_;
    ScriptedDialogs dialogues_;
    RecordingShell shell_;
};
