#include "photographer/shoot/capture.h"

#include "photographer/data/noms_photos.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QThreadPool>

#include <optional>
#include <vector>
#include <csignal>

#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>
#include <ostream>

namespace {

const QColor kMarkColour(220, 20, 20);

// A camera picture: blue with a red block in its top-left corner, so that turns can be told apart.
QByteArray cameraJpeg(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(20, 40, 200));
    QPainter(&image).fillRect(0, 0, size.width() / 4, size.height() / 4, kMarkColour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(90);
    EXPECT_TRUE(writer.write(image));
    return bytes;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

bool isMarkColour(QRgb pixel)
{
    return qRed(pixel) > 160 && qBlue(pixel) < 100;
}

// The quantisation tables of a JPEG written at quality 100 hold nothing but ones.
bool writtenAtFullQuality(const QByteArray& jpeg)
{
    int tables = 0;
    for (qsizetype at = jpeg.indexOf("\xFF\xDB"); at >= 0; at = jpeg.indexOf("\xFF\xDB", at + 2)) {
        const int length = (uchar(jpeg[at + 2]) << 8) | uchar(jpeg[at + 3]);
        for (qsizetype i = at + 4; i < at + 2 + length;) {
            const bool wide = (uchar(jpeg[i]) >> 4) != 0;
            ++i;
            for (int k = 0; k < 64; ++k, i += wide ? 2 : 1) {
                const int value = wide ? (uchar(jpeg[i]) << 8) | uchar(jpeg[i + 1]) : uchar(jpeg[i]);
                if (value != 1)
                    return false;
            }
            ++tables;
        }
    }
    return tables > 0;
}

// The tick's two steps with no question between them, on a camera file that has stood still long
// enough to be refused when it is not whole.
capture::Filed filePicture(const QByteArray& cameraPath, int degrees, const capture::Destinations& to)
{
    const capture::WatchedFolder::Candidate camera{{cameraPath}, 0, true, false, {}};
    const capture::Prepared prepared = capture::prepare(camera, degrees, to);
    return prepared.state == capture::Prepared::State::Ready ? capture::place(prepared, to)
                                                             : capture::Filed{prepared.error, {}};
}

class ClassementCapture : public ::testing::Test {
protected:
    QString at(const QString& relative) const { return dir_.filePath(relative); }

    // The folders of an establishment of this name, as the workspace gives them.
    dossiers_etab::Dossiers etab(const QString& name) const
    {
        return {at("VizmoraDatas/" + name), at("VizmoraDatas/" + name + " BR"), at("VizmoraDatas/" + name + " BR3"),
                at("labohd/" + name)};
    }

    capture::Destinations studentDestinations() const
    {
        return capture::destinations(etab("Lycée Sud"), "3A", "Dupont", "Marie", "17");
    }

    QByteArray cameraFile(const QByteArray& bytes, const QString& name = "IMG_0001.JPG")
    {
        const QString path = at("hotfolder/" + name);
        writeAll(path, bytes);
        return QFile::encodeName(path);
    }

    QTemporaryDir dir_;
};

struct TurnCase {
    QSize source;
    int degrees;
    QSize stored;
    QPoint markCorner; // where the top-left corner of the camera picture ends up (0 or 1 on each axis)
};

void PrintTo(const TurnCase& c, std::ostream* out)
{
    *out << c.source.width() << "x" << c.source.height() << " turned " << c.degrees;
}

class RotationCapture : public ClassementCapture, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(RotationCapture, LaPhotoEnregistreeEstTourneeDansLeSensHoraireEtTientDans400)
{
    const TurnCase& c = GetParam();
    const capture::Destinations to = studentDestinations();
    ASSERT_EQ(filePicture(cameraFile(cameraJpeg(c.source)), c.degrees, to).error, QString());

    const QImage stored(to.picture);
    ASSERT_FALSE(stored.isNull());
    EXPECT_NEAR(stored.width(), c.stored.width(), 1);
    EXPECT_NEAR(stored.height(), c.stored.height(), 1);
    const int inset = 5;
    const int x = c.markCorner.x() ? stored.width() - 1 - inset : inset;
    const int y = c.markCorner.y() ? stored.height() - 1 - inset : inset;
    EXPECT_TRUE(isMarkColour(stored.pixel(x, y))) << "mark not in the expected corner";
    EXPECT_FALSE(isMarkColour(stored.pixel(stored.width() - 1 - x, stored.height() - 1 - y)));
}

INSTANTIATE_TEST_SUITE_P(Cas, RotationCapture, ::testing::Values(
    TurnCase{{1500, 1000}, 90, {267, 400}, {1, 0}},   // landscape, "TeteGauche"
    TurnCase{{1500, 1000}, 270, {267, 400}, {0, 1}},  // landscape, "TeteDroite"
    TurnCase{{1500, 1000}, 0, {400, 267}, {0, 0}},    // manual import
    TurnCase{{1000, 1500}, 0, {267, 400}, {0, 0}},    // portrait
    TurnCase{{1000, 1500}, 90, {400, 267}, {1, 0}},
    TurnCase{{300, 200}, 90, {200, 300}, {1, 0}},     // small: turned, never enlarged
    TurnCase{{390, 260}, 0, {390, 260}, {0, 0}}));

TEST_F(ClassementCapture, EcritLArchiveIntacteEtTroisCopiesDeLaPhotoDeTravail)
{
    const QByteArray original = cameraJpeg({1200, 800});
    const QByteArray camera = cameraFile(original);
    const capture::Destinations to = studentDestinations();

    ASSERT_EQ(filePicture(camera, 90, to).error, QString());

    EXPECT_EQ(to.archive, at("labohd/Lycée Sud/3AxsepxDupontxsepxMariexsepx.jpg"));
    EXPECT_EQ(to.picture, at("VizmoraDatas/Lycée Sud/17.jpg"));
    EXPECT_EQ(to.lowRes, at("VizmoraDatas/Lycée Sud BR/Dupont Marie.jpg"));
    EXPECT_EQ(to.lowRes3, at("VizmoraDatas/Lycée Sud BR3/3A/Dupont Marie.jpg"));
    EXPECT_EQ(readAll(to.archive), original);
    const QByteArray picture = readAll(to.picture);
    EXPECT_TRUE(writtenAtFullQuality(picture));
    EXPECT_EQ(readAll(to.lowRes), picture);
    EXPECT_EQ(readAll(to.lowRes3), picture);
    EXPECT_EQ(readAll(camera), original) << "the camera file is left to the caller";
}

TEST_F(ClassementCapture, UneSecondePhotoRemplaceChaqueFichierEtNeLaisseAucunFichierTemporaire)
{
    const capture::Destinations to = studentDestinations();
    ASSERT_EQ(filePicture(cameraFile(cameraJpeg({600, 400})), 0, to).error, QString());
    const QByteArray second = cameraJpeg({400, 600});
    ASSERT_EQ(filePicture(cameraFile(second, "IMG_0002.JPG"), 0, to).error, QString());

    EXPECT_EQ(readAll(to.archive), second);
    EXPECT_EQ(QImage(to.picture).size(), QSize(267, 400));
    EXPECT_EQ(readAll(to.lowRes), readAll(to.picture));
    EXPECT_EQ(readAll(to.lowRes3), readAll(to.picture));
    for (const QString& file : {to.archive, to.picture, to.lowRes, to.lowRes3})
        EXPECT_EQ(QFileInfo(file).dir().entryList(QDir::Files | QDir::Hidden).size(), 1) << file.toStdString();
}

TEST_F(ClassementCapture, UnOriginalRemplaceEstGardeSousSaDateEtSonHeure)
{
    const capture::Destinations to = studentDestinations();
    const QByteArray first = cameraJpeg({600, 400}), second = cameraJpeg({400, 600}), third = cameraJpeg({300, 300});
    const auto archivedAt = [&](const QDateTime& when) {
        QFile archive(to.archive);
        ASSERT_TRUE(archive.open(QIODevice::ReadWrite));
        ASSERT_TRUE(archive.setFileTime(when, QFileDevice::FileModificationTime));
    };
    const QDateTime taken(QDate(2026, 3, 9), QTime(14, 30, 5));
    const QString kept = to.replaced + "/3AxsepxDupontxsepxMariexsepx_09032026_143005";

    const capture::Filed once = filePicture(cameraFile(first), 0, to);
    ASSERT_EQ(once.error, QString());
    EXPECT_EQ(once.keptOriginal, QString()) << "nothing was replaced";
    archivedAt(taken);
    const capture::Filed twice = filePicture(cameraFile(second, "IMG_0002.JPG"), 0, to);
    ASSERT_EQ(twice.error, QString());
    // Shot in the same second: the name of the first kept original is taken.
    archivedAt(taken);
    const capture::Filed thrice = filePicture(cameraFile(third, "IMG_0003.JPG"), 0, to);
    ASSERT_EQ(thrice.error, QString());

    EXPECT_EQ(to.replaced, at("labohd/Lycée Sud/remplacées"));
    EXPECT_EQ(twice.keptOriginal, kept + ".jpg");
    EXPECT_EQ(thrice.keptOriginal, kept + "_2.jpg");
    EXPECT_EQ(readAll(twice.keptOriginal), first);
    EXPECT_EQ(readAll(thrice.keptOriginal), second);
    EXPECT_EQ(readAll(to.archive), third);
}

TEST_F(ClassementCapture, UnePhotoQuiNeSeDecodePasNEcritRienEtNommeLeFichier)
{
    const QByteArray good = cameraJpeg({800, 600});
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        QImage(80, 60, QImage::Format_RGB32).save(&buffer, "PNG");
    }
    const struct {
        const char* what;
        std::optional<QByteArray> bytes; // none: the file does not exist
    } cases[] = {
        {"cut short", good.left(good.size() / 2)},
        {"cut short just before its end marker", good.chopped(2)},
        {"a PNG named .jpg", png},
        {"not a picture, though it ends like one", QByteArray("\xFF\xD8 not a picture \xFF\xD9")},
        {"empty", QByteArray()},
        {"not there", std::nullopt},
    };
    const capture::Destinations to = studentDestinations();
    const QByteArray oldPicture = cameraJpeg({40, 40});
    writeAll(to.picture, oldPicture);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString camera = at("hotfolder/IMG_0007.JPG");
        QFile::remove(camera);
        if (c.bytes)
            writeAll(camera, *c.bytes);

        const QString error = filePicture(QFile::encodeName(camera), 90, to).error;

        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(camera))) << error.toStdString();
        EXPECT_EQ(readAll(to.picture), oldPicture);
        EXPECT_TRUE(QDir(QFileInfo(to.archive).absolutePath()).entryList(QDir::Files | QDir::Hidden).isEmpty())
            << "neither the archive nor its temporary file stays";
        EXPECT_FALSE(QFileInfo::exists(to.lowRes));
        EXPECT_FALSE(QFileInfo::exists(to.lowRes3));
        if (c.bytes) {
            EXPECT_EQ(readAll(camera), *c.bytes);
        }
    }
}

TEST_F(ClassementCapture, UneCibleNonInscriptibleEstNommeeEtLesAnciensFichiersRestent)
{
    const capture::Destinations to = studentDestinations();
    writeAll(to.picture, "old picture");
    // A folder where the " BR3" class folder should go.
    writeAll(at("VizmoraDatas/Lycée Sud BR3"), "not a folder");

    const QString error = filePicture(cameraFile(cameraJpeg({600, 400})), 0, to).error;

    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(QFileInfo(to.lowRes3).absolutePath())))
        << error.toStdString();
    EXPECT_EQ(readAll(to.picture), "old picture");
    EXPECT_FALSE(QFileInfo::exists(to.archive));
}

TEST_F(ClassementCapture, NEcritJamaisSurLeFichierDeLAppareil)
{
    const QByteArray original = cameraJpeg({600, 400});
    const QByteArray camera = cameraFile(original);
    capture::Destinations to = studentDestinations();
    to.picture = QFile::decodeName(camera);

    EXPECT_FALSE(filePicture(camera, 0, to).error.isEmpty());
    EXPECT_EQ(readAll(QFile::decodeName(camera)), original);
}

TEST_F(ClassementCapture, LesNomsSaisisRestentChacunUnSeulComposant)
{
    const capture::Destinations to = capture::destinations(etab("Collège d'Arc"), "..", "D'Artagnan/Luc", "Jean/../Marc", "5");
    EXPECT_EQ(QFileInfo(to.archive).absolutePath(), at("labohd/Collège d'Arc"));
    EXPECT_EQ(QFileInfo(to.picture).absolutePath(), at("VizmoraDatas/Collège d'Arc"));
    EXPECT_EQ(QFileInfo(to.lowRes).absolutePath(), at("VizmoraDatas/Collège d'Arc BR"));
    EXPECT_EQ(QFileInfo(QFileInfo(to.lowRes3).absolutePath()).absolutePath(), at("VizmoraDatas/Collège d'Arc BR3"));
    EXPECT_EQ(QFileInfo(to.lowRes).fileName(), "D'Artagnan_Luc Jean_.._Marc.jpg");

    ASSERT_EQ(filePicture(cameraFile(cameraJpeg({600, 400})), 0, to).error, QString());
    for (const QString& file : {to.archive, to.picture, to.lowRes, to.lowRes3})
        EXPECT_TRUE(QFileInfo::exists(file)) << file.toStdString();
}

// Each student of an establishment keeps files of his own: a namesake (same names as a folder
// compares them) takes the first free number after the students before him in key order; a
// student without one keeps the plain names.
TEST(NomsDesHomonymes, ChacunSesFichiersEtLesPremiersGardentLeursNoms)
{
    const struct {
        const char* cas;
        std::vector<noms_photos::Porteur> eleves; // the last one's names are checked
        const char* classe;
        const char* lowRes;
        const char* archive;
    } cas[] = {
        {"sans homonyme", {{"4", "DUPONT", "Jean"}, {"7", "MARTIN", "Léa"}}, "5C", "MARTIN Léa.jpg",
         "5CxsepxMARTINxsepxLéaxsepx.jpg"},
        {"deux classes", {{"3", "DUPONT", "Émile"}, {"8", "DUPONT", "Émile"}}, "5D", "DUPONT Émile_2.jpg",
         "5DxsepxDUPONTxsepxÉmilexsepx_2.jpg"},
        {"le premier garde son nom", {{"8", "DUPONT", "Émile"}, {"3", "DUPONT", "Émile"}}, "5C", "DUPONT Émile.jpg",
         "5CxsepxDUPONTxsepxÉmilexsepx.jpg"},
        {"trois, les clés lues comme des nombres",
         {{"10", "DUPONT", "Émile"}, {"9", "DUPONT", "Émile"}, {"100", "DUPONT", "Émile"}}, "5C", "DUPONT Émile_3.jpg",
         "5CxsepxDUPONTxsepxÉmilexsepx_3.jpg"},
        {"casse et accent en deux caractères", {{"1", "DUPONT", "Émile"}, {"2", "Dupont", "E\u0301mile"}}, "5C",
         "Dupont E\u0301mile_2.jpg", "5CxsepxDupontxsepxE\u0301milexsepx_2.jpg"},
        {"un accent de plus n'est pas un homonyme", {{"1", "DUPONT", "Émile"}, {"2", "DUPONT", "Emile"}}, "5C",
         "DUPONT Emile.jpg", "5CxsepxDUPONTxsepxEmilexsepx.jpg"},
        {"le même nom de fichier", {{"1", "DUPONT", "Jean Pierre"}, {"2", "DUPONT Jean", "Pierre"}}, "5C",
         "DUPONT Jean Pierre_2.jpg", "5CxsepxDUPONT JeanxsepxPierrexsepx_2.jpg"},
        {"un nom déjà numéroté",
         {{"1", "DUPONT", "Émile"}, {"2", "DUPONT", "Émile_2"}, {"3", "DUPONT", "Émile"}}, "5C", "DUPONT Émile_3.jpg",
         "5CxsepxDUPONTxsepxÉmilexsepx_3.jpg"},
    };
    const dossiers_etab::Dossiers etab{"/d/Lycée", "/d/Lycée BR", "/d/Lycée BR3", "/labohd/Lycée"};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        const noms_photos::Porteur& dernier = c.eleves.back();
        const int numero = noms_photos::numeros(c.eleves).value(dernier.cle);
        const capture::Destinations d =
            capture::destinations(etab, QString::fromUtf8(c.classe), dernier.nom, dernier.prenom, dernier.cle, numero);
        EXPECT_EQ(QFileInfo(d.lowRes).fileName(), QString::fromUtf8(c.lowRes));
        EXPECT_EQ(QFileInfo(d.lowRes3).fileName(), QString::fromUtf8(c.lowRes));
        EXPECT_EQ(QFileInfo(d.archive).fileName(), QString::fromUtf8(c.archive));
        EXPECT_EQ(QFileInfo(d.picture).fileName(), dernier.cle + ".jpg");
    }
}

// Every file longer than `bytes` fails to be written (EFBIG), as files do on a full disk;
// SIGXFSZ is ignored so that the write reports the error instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        const rlimit limit{bytes, previous_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

// What a failed filing must leave: the old files, no temporary file, the camera file.
void expectNothingChanged(const capture::Destinations& to, const QByteArray& old, const QString& camera,
                          const QByteArray& cameraBytes)
{
    for (const QString& file : {to.archive, to.picture, to.lowRes, to.lowRes3}) {
        EXPECT_EQ(readAll(file), old) << file.toStdString();
        EXPECT_EQ(QDir(QFileInfo(file).absolutePath()).entryList(QDir::Files | QDir::Hidden).size(), 1)
            << "a temporary file stayed beside " << file.toStdString();
    }
    EXPECT_EQ(readAll(camera), cameraBytes);
}

TEST_F(ClassementCapture, UnDisquePleinLaisseChaqueAncienFichierEtNommeCeluiQuiAEchoue)
{
    // A small camera file and its larger working picture (quality 100): both under the
    // 16 KB that a file keeps in memory before its last flush.
    QImage image(160, 120, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray small;
    QBuffer buffer(&small);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(30);
    ASSERT_TRUE(writer.write(image));
    const QByteArray camera = cameraFile(small);
    const capture::Destinations to = studentDestinations();
    const QByteArray old = "old";
    for (const QString& file : {to.archive, to.picture, to.lowRes, to.lowRes3})
        writeAll(file, old);

    const struct {
        const char* what;
        rlim_t limit;
        QString named;
    } cases[] = {
        {"nothing fits", 0, to.archive},
        {"the archive fits, the working picture does not", rlim_t(small.size()) + 1, to.picture},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QString error;
        {
            const FileSizeLimit full(c.limit);
            error = filePicture(camera, 0, to).error;
        }
        EXPECT_EQ(error, QStringLiteral("Le fichier %1 n'a pas pu être écrit. Le fichier dépasse la taille permise.")
                             .arg(QDir::toNativeSeparators(c.named)));
        expectNothingChanged(to, old, QFile::decodeName(camera), small);
    }
}

// The same on a real small file system, filled up (root only: the test mounts it).
TEST_F(ClassementCapture, UnSystemeDeFichiersPleinLaisseChaqueAncienFichier)
{
    const QString mountPoint = at("petit");
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    if (::geteuid() != 0 || ::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "mounting a small file system needs root";
    struct Unmount {
        QByteArray point;
        ~Unmount() { ::umount2(point.constData(), MNT_DETACH); }
    } unmount{QFile::encodeName(mountPoint)};

    const QByteArray camera = cameraFile(cameraJpeg({300, 200}));
    const capture::Destinations to = capture::destinations(
        {mountPoint + "/Ecole", mountPoint + "/Ecole BR", mountPoint + "/Ecole BR3", mountPoint + "/labohd"}, "3A",
        "Dupont", "Marie", "17");
    const QByteArray old = "old";
    for (const QString& file : {to.archive, to.picture, to.lowRes, to.lowRes3})
        writeAll(file, old);
    {
        QFile filler(mountPoint + "/filler");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
    }

    const QString error = filePicture(camera, 0, to).error;

    EXPECT_TRUE(error.endsWith(QStringLiteral("n'a pas pu être écrit. Le disque est plein."))) << error.toStdString();
    expectNothingChanged(to, old, QFile::decodeName(camera), readAll(QFile::decodeName(camera)));
}

// Decoding at the reduced size is what lets a very large camera file through the reader's
// allocation limit; the limit is lowered here so that a small file shows it.
TEST_F(ClassementCapture, UnGrosFichierDAppareilTientSousLaLimiteDAllocationDuLecteur)
{
    const int previousLimit = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(4);
    const QByteArray camera = cameraFile(cameraJpeg({2400, 1600}));
    const capture::Destinations to = studentDestinations();

    EXPECT_TRUE(QImageReader(QFile::decodeName(camera)).read().isNull()) << "a full-size decode should exceed the limit";
    EXPECT_EQ(filePicture(camera, 90, to).error, QString());
    EXPECT_EQ(QImage(to.picture).size(), QSize(267, 400));
    QImageReader::setAllocationLimit(previousLimit);
}

TEST_F(ClassementCapture, UnClassementRefaitNeGardePasSonPropreOriginalEtUnClassementDefaitRendLAncien)
{
    const capture::Destinations to = studentDestinations();
    const QByteArray earlier = cameraJpeg({300, 200}), shot = cameraJpeg({600, 400});
    ASSERT_EQ(filePicture(cameraFile(earlier, "IMG_0001.JPG"), 0, to).error, QString());
    const QByteArray earlierPicture = readAll(to.picture);
    // A namesake's copy that a later filing of this student never wrote.
    writeAll(to.lowRes3, "copie d'un homonyme");

    const QString keptAs = capture::keptOriginalName(to);
    const capture::Prepared prepared = capture::prepare({{cameraFile(shot, "IMG_0002.JPG")}, 0, false, false, {}}, 0, to);
    ASSERT_EQ(prepared.state, capture::Prepared::State::Ready);
    const capture::Filed once = capture::place(prepared, to, keptAs);
    ASSERT_EQ(once.error, QString());
    EXPECT_EQ(once.keptOriginal, keptAs);
    EXPECT_EQ(readAll(keptAs), earlier);

    // Done again after a crash, from the archive copy: the archive holds these bytes already.
    const capture::Prepared again = capture::prepareBytes(readAll(to.archive), "IMG_0002.JPG", 0, to);
    ASSERT_EQ(again.state, capture::Prepared::State::Ready);
    EXPECT_EQ(again.camera, prepared.camera);
    const capture::Filed twice = capture::place(again, to, keptAs);
    EXPECT_EQ(twice.error, QString());
    EXPECT_EQ(twice.keptOriginal, QString());
    EXPECT_EQ(QDir(to.replaced).entryList(QDir::Files).size(), 1);

    writeAll(to.lowRes3, "copie d'un homonyme");
    EXPECT_EQ(capture::undo(to, prepared.camera, prepared.pictureDigest, keptAs), QString());
    EXPECT_EQ(readAll(to.archive), earlier) << "the original it replaced is back";
    EXPECT_FALSE(QFileInfo::exists(keptAs));
    EXPECT_FALSE(QFileInfo::exists(to.picture));
    EXPECT_FALSE(QFileInfo::exists(to.lowRes));
    EXPECT_EQ(readAll(to.lowRes3), "copie d'un homonyme");
    EXPECT_NE(earlierPicture, QByteArray());
}

TEST_F(ClassementCapture, UnFichierVideOuTronqueEstRefuseUneFoisImmobileEtUnDossierImpossibleEchoue)
{
    const QByteArray good = cameraJpeg({600, 400});
    const capture::Destinations to = studentDestinations();
    for (const QByteArray& bytes : {QByteArray(), good.left(good.size() / 2)}) {
        const QByteArray camera = cameraFile(bytes);
        EXPECT_EQ(capture::prepare({{camera}, 0, false, false, {}}, 0, to).state, capture::Prepared::State::NotYet);
        EXPECT_EQ(capture::prepare({{camera}, 0, true, false, {}}, 0, to).state,
                  capture::Prepared::State::Refused);
    }
    writeAll(at("VizmoraDatas/Lycée Sud BR3"), "not a folder");
    EXPECT_EQ(capture::prepare({{cameraFile(good)}, 0, false, false, {}}, 0, to).state, capture::Prepared::State::Failed);
}

TEST_F(ClassementCapture, UnFichierPlusGrandQuAucunAppareilNEcritEstRefuseSansEtreLu)
{
    // A whole picture followed by a hole: what a camera never writes, and too large to hold in memory.
    const QByteArray camera = cameraFile(cameraJpeg({600, 400}));
    QFile file(QFile::decodeName(camera));
    ASSERT_TRUE(file.resize(capture::WatchedFolder::kLargestCameraFile + 1));
    QElapsedTimer timer;
    timer.start();
    const capture::Prepared prepared =
        capture::prepare({{camera, file.size()}, 1, true, true, {}}, 0, studentDestinations());
    EXPECT_LT(timer.elapsed(), 1000) << "the file was read";
    EXPECT_EQ(prepared.state, capture::Prepared::State::Refused);
    EXPECT_TRUE(prepared.error.contains(QStringLiteral("IMG_0001.JPG » pèse plus de 512 Mo"))) << prepared.error.toStdString();
    EXPECT_FALSE(QFileInfo::exists(studentDestinations().picture));
}

TEST_F(ClassementCapture, LAsynchroneRepondSurLeFilDuContexte)
{
    QObject context;
    const capture::Destinations to = studentDestinations();
    const capture::WatchedFolder::Candidate camera{{cameraFile(cameraJpeg({900, 600}))}, 0, false, false, {}};
    std::optional<QString> answer;
    std::vector<QThread*> answeredOn;
    capture::prepareAsync(&context, camera, 90, to, [&](const capture::Prepared& prepared) {
        answeredOn.push_back(QThread::currentThread());
        ASSERT_EQ(prepared.state, capture::Prepared::State::Ready);
        EXPECT_FALSE(QFileInfo::exists(to.picture)) << "nothing is put in place before the questions";
        capture::placeAsync(&context, prepared, to, {}, {}, [&](const capture::Filed& filed) {
            answeredOn.push_back(QThread::currentThread());
            answer = filed.error;
        });
    });

    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 10000));
    EXPECT_EQ(*answer, QString());
    EXPECT_EQ(answeredOn, std::vector<QThread*>(2, context.thread()));
    EXPECT_EQ(QImage(to.picture).size(), QSize(267, 400));
}

TEST_F(ClassementCapture, LAsynchroneSeTaitQuandLeContexteADisparu)
{
    bool answered = false;
    auto* context = new QObject;
    capture::prepareAsync(context, {{cameraFile(cameraJpeg({900, 600}))}, 0, false, false, {}}, 0, studentDestinations(),
                          [&](const capture::Prepared&) { answered = true; });
    delete context;

    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(answered);
    EXPECT_TRUE(QDir(at("labohd/Lycée Sud")).entryList(QDir::Files | QDir::Hidden).isEmpty())
        << "the archive copy written aside went with the answer";
}

} // namespace
