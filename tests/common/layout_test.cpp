#include "common/ui/form.h"
#include "common/ui/layout.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

struct CasAjustement {
    const char* nom;
    layout::WindowState fenetre;
    QRect zone;
    bool centree;
    layout::Fit attendu;
};

constexpr int kBarre = 15;
const QRect kPetitEcran(0, 0, 1024, 768);

} // namespace

TEST(Ajustement, UneFenetreTientToujoursDansLaZoneDisponible)
{
    const CasAjustement cas[] = {
        {"tient, reste où elle est", {{800, 600}, {800, 600}, {}, {100, 50}}, kPetitEcran, false, {{100, 50}, {800, 600}, false}},
        {"tient, centrée", {{800, 600}, {800, 600}, {}, {0, 0}}, kPetitEcran, true, {{112, 84}, {800, 600}, false}},
        // The orders list once centred itself at x = -57.
        {"trop large, centrée", {{1138, 637}, {1138, 637}, {}, {0, 0}}, kPetitEcran, true, {{0, 58}, {1024, 652}, true}},
        {"trop haute, centrée", {{907, 900}, {907, 900}, {}, {0, 0}}, kPetitEcran, true, {{51, 0}, {922, 768}, true}},
        {"trop grande des deux côtés", {{1200, 900}, {1200, 900}, {}, {300, 300}}, kPetitEcran, false, {{0, 0}, {1024, 768}, true}},
        {"barre des tâches en haut", {{1138, 637}, {1138, 637}, {}, {0, 0}}, QRect(0, 30, 1024, 738), true, {{0, 73}, {1024, 652}, true}},
        {"avec son cadre", {{1138, 637}, {1138, 637}, {4, 28, 4, 4}, {0, 0}}, kPetitEcran, true, {{0, 42}, {1016, 652}, true}},
        {"cadre plus haut que la place", {{1138, 760}, {1138, 760}, {4, 28, 4, 4}, {0, 0}}, kPetitEcran, true, {{0, 0}, {1016, 736}, true}},
        {"sortie à gauche", {{800, 600}, {800, 600}, {}, {-57, 10}}, kPetitEcran, false, {{0, 10}, {800, 600}, false}},
        {"sortie en bas à droite", {{300, 200}, {300, 200}, {}, {900, 700}}, kPetitEcran, false, {{724, 568}, {300, 200}, false}},
        {"écran à droite d'un autre", {{1138, 637}, {1138, 637}, {}, {0, 0}}, QRect(1366, 0, 1024, 768), true, {{1366, 58}, {1024, 652}, true}},
        {"agrandie par l'utilisateur", {{993, 690}, {1200, 700}, {}, {0, 0}}, QRect(0, 0, 1366, 768), false, {{0, 0}, {1200, 700}, false}},
        {"rétrécie par l'utilisateur", {{993, 690}, {700, 500}, {}, {20, 20}}, QRect(0, 0, 1366, 768), false, {{20, 20}, {700, 500}, true}},
    };
    for (const CasAjustement& c : cas) {
        const layout::Fit obtenu = layout::fit(c.fenetre, c.zone, c.centree, kBarre);
        EXPECT_EQ(obtenu.position, c.attendu.position) << c.nom;
        EXPECT_EQ(obtenu.size, c.attendu.size) << c.nom;
        EXPECT_EQ(obtenu.scrolls, c.attendu.scrolls) << c.nom;
        const QRect cadre(obtenu.position, obtenu.size.grownBy(c.fenetre.frame));
        EXPECT_TRUE(c.zone.contains(cadre)) << c.nom;
    }
}

namespace {

// A form laid out in twips at a fixed size, with a menu and a caption at its
// far corner, like the programs' screens.
class Large : public Form {
public:
    Large() : Form(QStringLiteral("Large"))
    {
        contenu = new QWidget(this);
        setCentralWidget(contenu);
        menuBar()->addMenu(QStringLiteral("Imprimer"));
        coin = layout::caption(contenu, QStringLiteral("Coin"), QStringLiteral("Fin"));
        placerCoin(1138, 615);
        setFixedSize(1138, 615 + menuBar()->sizeHint().height());
    }
    void placerCoin(int largeur, int hauteur) { coin->setGeometry(largeur - 40, hauteur - 20, 40, 20); }
    QWidget* contenu;
    QLabel* coin;
};

// True when the widget can be brought whole into the window's view by its
// scroll bars, once the window has laid out its new size.
bool atteignable(QScrollArea& zone, QWidget& widget)
{
    const bool posee = QTest::qWaitFor([&zone] {
        const QSize vue = zone.viewport()->size();
        const QSize contenu = zone.widget()->size();
        return contenu == zone.widget()->minimumSize().expandedTo(vue)
            && zone.horizontalScrollBar()->maximum() == contenu.width() - vue.width()
            && zone.verticalScrollBar()->maximum() == contenu.height() - vue.height();
    });
    if (!posee)
        return false;
    zone.horizontalScrollBar()->setValue(zone.horizontalScrollBar()->maximum());
    zone.verticalScrollBar()->setValue(zone.verticalScrollBar()->maximum());
    const QRect vue(widget.mapTo(zone.viewport(), QPoint(0, 0)), widget.size());
    return zone.viewport()->rect().contains(vue);
}

} // namespace

TEST(Ajustement, UneFenetreTropGrandeDefileSousSonMenu)
{
    Large& fenetre = formInstance<Large>();
    fenetre.showForm();
    layout::fitInto(fenetre, kPetitEcran, true);

    EXPECT_TRUE(kPetitEcran.contains(fenetre.frameGeometry())) << fenetre.frameGeometry().x();
    auto* zone = qobject_cast<QScrollArea*>(fenetre.centralWidget());
    ASSERT_NE(zone, nullptr);
    EXPECT_EQ(zone->widget(), fenetre.contenu);
    EXPECT_TRUE(fenetre.coin->isVisible());
    EXPECT_FALSE(zone->isAncestorOf(fenetre.menuBar()));
    EXPECT_TRUE(atteignable(*zone, *fenetre.coin));
    EXPECT_GT(zone->horizontalScrollBar()->maximum(), 0);

    // Centring again, at the next activation, keeps the whole design within reach.
    layout::fitInto(fenetre, kPetitEcran, true);
    EXPECT_EQ(fenetre.centralWidget(), zone);
    EXPECT_TRUE(atteignable(*zone, *fenetre.coin));

    // A panel that opens: the form fixes a taller size, the window stays on
    // the screen and its new bottom is within reach.
    fenetre.placerCoin(1138, 1200);
    fenetre.setFixedSize(1138, 1200 + fenetre.menuBar()->sizeHint().height());
    layout::fitInto(fenetre, kPetitEcran, false);
    EXPECT_TRUE(kPetitEcran.contains(fenetre.frameGeometry()));
    EXPECT_TRUE(atteignable(*zone, *fenetre.coin));
    fenetre.unload();
}

TEST(Ajustement, UneFenetreQuiTientGardeSaTailleEtSonContenu)
{
    Large& fenetre = formInstance<Large>();
    fenetre.show();
    QWidget* contenu = fenetre.contenu;
    const QSize taille = fenetre.size();
    layout::fitInto(fenetre, QRect(0, 0, 1366, 1024), true);
    EXPECT_EQ(fenetre.centralWidget(), contenu);
    EXPECT_EQ(fenetre.size(), taille);
    EXPECT_EQ(fenetre.frameGeometry().left(), (1366 - fenetre.frameGeometry().width()) / 2);
    fenetre.close();
}
