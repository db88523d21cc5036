#pragma once

#include "common/files.h"
#include "common/ui/layout.h"
#include "common/wallclock.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/shoot/planche_eleves.h"
#include "photographer/shoot/prise_de_vue.h"
#include "tests/photographer/support/photographe_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// One establishment "Ecole Test" in a fresh drive root, with its data,
// archive and watched folders.
class SeanceFixture : public PhotographeFixture {
protected:
    SeanceFixture()
    {
        EXPECT_TRUE(paths::ensureFolder(etat::CheminDonnees));
        etat::DossierHot = demarrage::dossierHotParDefaut();
        EXPECT_TRUE(paths::ensureFolder(etat::DossierHot));
        EXPECT_TRUE(paths::ensureFolder(paths::onDrive({QStringLiteral("labohd")})));
        etat::NomEtabEnCours = QStringLiteral("Ecole Test");
        etat::CodeEtabEnCours = ajouterEtablissement(etat::NomEtabEnCours);
    }

    static QString colonne(const QString& cle, const QString& nom)
    {
        return base::db().scalar(QStringLiteral("SELECT %1 FROM Eleves WHERE CdeEleves = ?").arg(nom), {cle.toLongLong()});
    }

    // What a rename of the establishment in use that never looked at the jobs left behind (an
    // older build's) did: the new name in the row, the folders taken along or left as they were.
    static void renommerSansRegarderLesTravaux(const QString& nouveau, bool dossiersEmportes)
    {
        if (dossiersEmportes) {
            const QStringList anciens = dossiers_etab::de(etat::NomEtabEnCours).tous();
            const QStringList nouveaux = dossiers_etab::de(nouveau).tous();
            for (qsizetype i = 0; i < anciens.size(); ++i) {
                if (QFileInfo::exists(anciens[i])) {
                    ASSERT_EQ(files::move(anciens[i], nouveaux[i]), QString());
                }
            }
        }
        base::db().exec(QStringLiteral("UPDATE Etablissements SET Nom = ? WHERE CdeEtablissement = ?"),
                        {nouveau, etat::CodeEtabEnCours});
        etat::NomEtabEnCours = nouveau;
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

    // Opens the class, shot head to the left, with the student of `slot` marked: the next picture is theirs.
    ChoixClasse& marquerEleve(const QString& classe, int slot = 0)
    {
        ChoixClasse& form = ouvrirClasse(classe);
        QTest::mouseClick(controle(form, QStringLiteral("OptionMain_0")), Qt::LeftButton);
        cliquer(form, slot);
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

    // One tick, with its look-up of the watched folder and what it started, to its end.
    static void unTour(ChoixClasse& form)
    {
        prise(form).TimerHot_Timer();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !prise(form).tourEnCours(); }));
    }

    // Ticks until the camera file has left the watched folder (filed) or
    // the capture has stopped on it; false when neither came in time.
    static bool classer(ChoixClasse& form, const QString& cameraFile)
    {
        auto* timer = form.findChild<QTimer*>(QStringLiteral("TimerHot"));
        const auto fini = [&] { return !QFile::exists(cameraFile) || !timer->isActive(); };
        for (int i = 0; i < 200 && !fini(); ++i) {
            prise(form).TimerHot_Timer();
            if (QTest::qWaitFor(fini, 25))
                return true;
            // The timer ticks a second apart: a file cut short is given up on minutes later.
            wallclock::moveOn(capture::WatchedFolder::kSecond);
        }
        return fini();
    }
};
