#pragma once

#include "common/paths.h"
#include "common/text.h"
#include "common/wallclock.h"
#include "photographer/prices/catalogue.h"
#include "photographer/prices/form_tarif_etab.h"
#include "photographer/prices/form_tarifs.h"
#include "photographer/data/base.h"
#include "photographer/data/etat.h"
#include "tests/photographer/support/photographe_fixture.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// A photographer's machine after a normal start, with the current
// establishment "Ecole Test"; the price forms shown by a test are unloaded at
// its end.
class TarifsFixture : public PhotographeFixture {
protected:
    TarifsFixture()
    {
        reglage(QStringLiteral("NewBase"), QStringLiteral("0"));
        reglage(QStringLiteral("DateMaj"), text::frenchDate(wallclock::today()));
        etat::NomEtabEnCours = QStringLiteral("Ecole Test");
        etat::CodeEtabEnCours = etablissement(etat::NomEtabEnCours);
    }

    ~TarifsFixture() override
    {
        if (FormTarifs* form = existingForm<FormTarifs>()) {
            if (compter(QStringLiteral("SELECT count(*) FROM Articles")) < 3)
                dialogues_.message(QString::fromUtf8(kTroisArticles));
            form->unload();
        }
        // A wizard left open by the test is left before its end, which is said.
        if (existingForm<FormTarifEtab>())
            dialogues_.message(QStringLiteral("n'ont pas été modifiés"));
        decharger<FormTarifEtab>();
    }

    static QString etablissement(const QString& nom) { return ajouterEtablissement(nom); }
    static void article(const QString& ref, const QString& nom, const QString& prix, const QString& prixRec)
    {
        catalogue::ajouterArticle(base(), {0, ref, nom, prix, prixRec});
    }
    static void pochette(const QString& ref, const QString& nom, const QString& prix, const QString& prixRec)
    {
        catalogue::ajouterPochette(base(), {0, ref, nom, prix, prixRec});
    }
    static void incomplete(const QString& ref, const QString& nb, const QString& nom, const QString& prix)
    {
        catalogue::ajouterPochetteIncomplete(base(), {0, ref, nb, nom, prix});
    }
    // The rows of a query, each row's columns joined by "|".
    static QStringList lignes(const QString& sql, const db::Params& params = {})
    {
        QStringList resultat;
        for (const db::Row& ligne : base().query(sql, params)) {
            QStringList colonnes;
            for (int i = 0; i < ligne.size(); ++i)
                colonnes << ligne.at(i);
            resultat << colonnes.join(u'|');
        }
        return resultat;
    }

    // The catalogue as shown now: every reload makes a new window.
    static FormTarifs& tarifs()
    {
        FormTarifs* form = existingForm<FormTarifs>();
        EXPECT_NE(form, nullptr);
        return *form;
    }
    static FormTarifs& ouvrirTarifs()
    {
        FormTarifs& form = formInstance<FormTarifs>();
        form.showForm();
        return form;
    }

    template <class W = QWidget>
    static W* controle(QWidget& form, const QString& nom)
    {
        W* widget = form.findChild<W*>(nom);
        EXPECT_NE(widget, nullptr) << qPrintable(nom);
        return widget;
    }
    static void cliquer(QWidget& form, const QString& nom)
    {
        QPushButton* bouton = controle<QPushButton>(form, nom);
        ASSERT_TRUE(bouton->isVisible() && bouton->isEnabled()) << qPrintable(nom);
        QTest::mouseClick(bouton, Qt::LeftButton);
    }
    // Types the text key by key, as the key filters see it.
    static void taper(QWidget& form, const QString& nom, const QString& texte)
    {
        QWidget* boite = controle(form, nom);
        boite->setFocus();
        for (const QChar c : texte)
            QTest::sendKeyEvent(QTest::Click, boite, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    static QString texte(QWidget& form, const QString& nom)
    {
        return controle<QLineEdit>(form, nom)->text();
    }
    static void choisir(QWidget& form, const QString& liste, const QString& nom, int occurrence = 0)
    {
        QComboBox* combo = controle<QComboBox>(form, liste);
        int trouve = -1;
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->itemText(i) == nom && occurrence-- == 0) {
                trouve = i;
                break;
            }
        }
        ASSERT_GE(trouve, 0) << qPrintable(nom);
        combo->setCurrentIndex(trouve);
    }
    static bool actif(QWidget& form, const QString& nom)
    {
        QWidget* widget = controle(form, nom);
        return widget->isEnabled();
    }
};
