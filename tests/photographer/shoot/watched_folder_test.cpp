#include "watched_folder_fixture.h"

namespace {

TEST_F(ScrutationDossierSurveille, UnePhotoEntiereEstPriseAuPremierTopQuiLaVoit)
{
    // The camera pauses right after the thumbnail: its end marker ends the file for a while.
    append("IMG_0001.JPG", kCamera.left(thumbnailEnd()));
    for (int call = 0; call < 3; ++call)
        EXPECT_EQ(tick(), "") << "call " << call;
    append("IMG_0001.JPG", kCamera.mid(thumbnailEnd()));
    EXPECT_EQ(tick(), file("IMG_0001.JPG")) << "no second sighting is waited for";
}

TEST_F(ScrutationDossierSurveille, UnFichierIncompletNEstAbandonneQuApresDesMinutesSansChangement)
{
    // A scan of garbage, closed by a proper end marker.
    const QByteArray shot = shotAt(0);
    QByteArray damaged = shot;
    const qsizetype scan = damaged.indexOf(QByteArray("\xFF\xDA", 2));
    const qsizetype data = scan + 2 + ((uchar(damaged[scan + 2]) << 8) | uchar(damaged[scan + 3]));
    damaged = damaged.left(data) + QByteArray(6, '\x01') + QByteArray("\xFF\xD9", 2);
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {{"cut short", shot.left(shot.indexOf(QByteArray("\xFF\xDA", 2)))}, {"well ended but damaged", damaged}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Its capture time known, it keeps its place before the next shot.
        append("IMG_0001.JPG", c.bytes);
        append("IMG_0002.JPG", shotAt(2));
        // A writer on a share that stalls for a minute and more, then goes on, must find its file there.
        waitFor(capture::WatchedFolder::kStillBeforeCutShort / capture::WatchedFolder::kSecond);
        const auto waiting = folder_.waiting();
        ASSERT_TRUE(waiting);
        EXPECT_EQ(waiting->file.name(), "IMG_0001.JPG");
        EXPECT_EQ(waiting->why, capture::WatchedFolder::Wait::NotWhole);
        EXPECT_EQ(tick(), file("IMG_0001.JPG")) << "returned for the filing to refuse it, never skipped";

        // Growing again starts the wait afresh.
        QFile::remove(path("IMG_0002.JPG"));
        append("IMG_0001.JPG", "x");
        waitFor(60);
        QFile::remove(path("IMG_0001.JPG"));
    }
}

TEST_F(ScrutationDossierSurveille, UnFichierSansPlaceConnueNeRetientLesAutresQueLeTempsDeLeDire)
{
    // Nobody writes them, and none will ever be a picture: no capture time tells their place.
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {{"empty", {}}, {"cut short", kCamera.left(1500)}, {"a PNG named .JPG", "\x89PNG\r\n\x1A\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        append("IMG_0001.JPG", c.bytes);
        append("IMG_0002.JPG", kCamera);
        const qint64 first = wallclock::steady();
        for (qint64 call = 0; call * capture::WatchedFolder::kSecond <= capture::WatchedFolder::kSayWaitingAfter; ++call) {
            ASSERT_EQ(tick(), "") << "call " << call;
            const auto waiting = folder_.waiting();
            ASSERT_TRUE(waiting);
            EXPECT_EQ(waiting->file.name(), "IMG_0001.JPG");
            EXPECT_EQ(waiting->why, capture::WatchedFolder::Wait::NotWhole);
            EXPECT_EQ(waiting->since, first);
        }
        EXPECT_EQ(tick(), file("IMG_0002.JPG")) << "once said, the later shot goes on";
        ASSERT_TRUE(QFile::remove(path("IMG_0002.JPG")));
        // The calls so far: up to the word, then the later shot's.
        waitFor((capture::WatchedFolder::kStillBeforeCutShort - capture::WatchedFolder::kSayWaitingAfter) /
                    capture::WatchedFolder::kSecond - 2);
        ASSERT_TRUE(folder_.waiting());
        EXPECT_EQ(folder_.waiting()->since, first) << "still the one said";
        EXPECT_EQ(tick(), file("IMG_0001.JPG")) << "given up on, for the filing to refuse it";
        ASSERT_TRUE(QFile::remove(path("IMG_0001.JPG")));
    }
}

TEST_F(ScrutationDossierSurveille, VingtPhotosCopieesAvecLeursDatesDansUnOrdreQuelconqueSortentDansLOrdreDeLAppareil)
{
    // A card copied as cp -p or tar copy it, each file written while the shoot's timer runs, then
    // given the camera's date: the last shot first, the others in no order.
    QStringList shot;
    std::vector<int> copyOrder{19};
    for (int index = 0; index < 20; ++index) {
        shot << QStringLiteral("IMG_%1.JPG").arg(index + 1, 4, 10, QChar(u'0'));
        if (index < 19)
            copyOrder.push_back(index);
    }
    std::shuffle(copyOrder.begin() + 1, copyOrder.end(), std::mt19937(2026));
    QStringList filed;
    for (const int index : copyOrder) {
        const QByteArray bytes = shotAt(2 * index, "50");
        Writer writer(path(shot[index]));
        shoot(filed); // created, still empty
        writer.write(QByteArrayView(bytes).first(bytes.size() / 3));
        shoot(filed);
        writer.write(QByteArrayView(bytes).sliced(bytes.size() / 3));
        if (index % 2)
            shoot(filed); // whole, still open
        writer.keepDate(kShot.addSecs(2 * index));
        writer.close();
        if (index % 3 == 0)
            shoot(filed);
    }
    filed << takenInOrder();
    EXPECT_EQ(filed.join(' ').toStdString(), shot.join(' ').toStdString());
}

TEST_F(ScrutationDossierSurveille, UnFichierEnCoursDEcritureSansPlaceConnueRetientLesAutres)
{
    // No capture time in any: a file's place is the date it ends with.
    append("IMG_0001.JPG", kCamera);
    setModified("IMG_0001.JPG", kShot);
    append("IMG_0003.JPG", kCamera);
    setModified("IMG_0003.JPG", kShot.addSecs(4));
    {
        Writer writer(path("IMG_0002.JPG"));
        writer.write(kCamera);
        waitFor(10); // dated now while written, it may yet end before the others
        writer.keepDate(kShot.addSecs(2));
    }
    // A copier that writes aside under a hidden name and renames it once dated (rsync).
    {
        Writer writer(path(".IMG_0000.JPG.Xa12"));
        writer.write(kCamera);
        waitFor(10);
        writer.keepDate(kShot.addSecs(-2));
    }
    ASSERT_TRUE(QFile::rename(path(".IMG_0000.JPG.Xa12"), path("IMG_0000.JPG")));
    EXPECT_EQ(takenInOrder().join(' ').toStdString(), "IMG_0000.JPG IMG_0001.JPG IMG_0002.JPG IMG_0003.JPG");
}

TEST_F(ScrutationDossierSurveille, LesFichiersSontPrisDuPlusAncienAuPlusRecentPuisParNom)
{
    const struct {
        const char* what;
        std::vector<std::pair<QString, int>> files; // name, seconds after the first shot
        QStringList order;
    } cases[] = {
        {"the camera's counter went round", {{"IMG_0001.JPG", 2}, {"IMG_9999.JPG", 0}},
         {"IMG_9999.JPG", "IMG_0001.JPG"}},
        {"shot in the same instant: by name", {{"B.JPG", 0}, {"A.JPG", 1}, {"C.jpg", -2}},
         {"C.jpg", "A.JPG", "B.JPG"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (const auto& [name, seconds] : c.files) {
            append(name, kCamera);
            setModified(name, kShot.addSecs(seconds));
        }
        EXPECT_EQ(takenInOrder().join(' ').toStdString(), c.order.join(' ').toStdString());
    }
}

TEST_F(ScrutationDossierSurveille, VingtPhotosDUneCarteAvecLeursDatesADeuxSecondesSortentDansLOrdreDeLAppareil)
{
    // Shot a second apart, copied from a card with their FAT dates: two by two in one 2-second slot,
    // IMG_9999 and IMG_0000 together.
    QStringList shot;
    for (int counter = 9990; counter < 10010; ++counter)
        shot << QStringLiteral("IMG_%1.JPG").arg(counter % 10000, 4, 10, QChar(u'0'));
    for (int index = 0; index < shot.size(); ++index) {
        append(shot[index], kCamera);
        setModified(shot[index], kShot.addSecs(2 * ((index + 1) / 2)));
    }
    EXPECT_EQ(takenInOrder().join(' ').toStdString(), shot.join(' ').toStdString());
}

TEST_F(ScrutationDossierSurveille, LesPhotosDUnMemeInstantSuiventLeurHeureDePriseDeVueMemeAbsurde)
{
    const struct {
        const char* what;
        std::vector<std::pair<QString, QByteArray>> files; // in the order they were shot: name, capture time
    } cases[] = {
        // Two cameras shooting in turn, a quarter of a second apart, into a FAT watched folder:
        // neither the names nor the counters (one goes round) tell the order.
        {"two cameras in one 2-second slot",
         {{"IMG_9998.JPG", "2026:03:09 14:30:04.0"}, {"DSC_0417.JPG", "2026:03:09 14:30:04.25"},
          {"IMG_9999.JPG", "2026:03:09 14:30:04.50"}, {"DSC_0418.JPG", "2026:03:09 14:30:04.75"},
          {"IMG_0000.JPG", "2026:03:09 14:30:05.0"}, {"DSC_0419.JPG", "2026:03:09 14:30:05.25"},
          {"IMG_0001.JPG", "2026:03:09 14:30:05.50"}, {"DSC_0420.JPG", "2026:03:09 14:30:05.75"}}},
        // Past 2262, nanoseconds since 1970 no longer fit in 64 bits.
        {"a camera's clock set to absurd years",
         {{"IMG_0004.JPG", "2026:03:09 14:30:05.25"}, {"IMG_0003.JPG", "2026:03:09 14:30:05.50"},
          {"IMG_0002.JPG", "2300:01:01 00:00:00.0"}, {"IMG_0001.JPG", "9999:12:31 23:59:59.99"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QStringList shot;
        for (const auto& [name, when] : c.files) {
            const QList<QByteArray> parts = when.split('.');
            append(name, exif_jpeg::withCaptureTime(kCamera, parts[0], parts[1]));
            setModified(name, kShot);
            shot << name;
        }
        EXPECT_EQ(takenInOrder().join(' ').toStdString(), shot.join(' ').toStdString());
    }
}

TEST_F(ScrutationDossierSurveille, LesSousDossiersQuiTiennentDesPhotosSontNommes)
{
    append("IMG_0001.JPG", kCamera);
    ASSERT_TRUE(QDir(dir_.path()).mkpath("DCIM/100CANON"));
    ASSERT_TRUE(QDir(dir_.path()).mkpath("DCIM/101CANON"));
    ASSERT_TRUE(QDir(dir_.path()).mkpath("vide"));
    ASSERT_TRUE(QDir(dir_.path()).mkpath("notes"));
    append("DCIM/100CANON/IMG_0002.JPG", kCamera);
    append("DCIM/101CANON/.IMG_0003.JPG", kCamera);
    append("notes/lisez-moi.txt", "texte");
    QTemporaryDir ailleurs;
    QFile(ailleurs.filePath("IMG_0004.JPG")).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(ailleurs.path(), path("lien")));

    EXPECT_EQ(capture::foldersWithPictures(dir_.path()), QStringList{path("DCIM/100CANON")});
    EXPECT_EQ(tick(), file("IMG_0001.JPG")) << "only the folder's own files are filed";
}

TEST_F(ScrutationDossierSurveille, UnNomQuiNEstPasEnUtf8EstListeLuEtSupprime)
{
    const QByteArray raw = QFile::encodeName(dir_.path()) + "/\xC9l\xE8ve.jpg";
    const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, kCamera.constData(), size_t(kCamera.size())), ssize_t(kCamera.size()));
    ::close(fd);

    const auto candidate = folder_.nextCandidate(dir_.path());
    ASSERT_TRUE(candidate);
    const camera_files::Entry* file = &candidate->file;
    EXPECT_EQ(file->rawPath, raw);
    EXPECT_FALSE(file->name().isEmpty());
    QByteArray bytes;
    ASSERT_TRUE(camera_files::read(file->rawPath, bytes));
    EXPECT_EQ(bytes, kCamera);
    EXPECT_TRUE(camera_files::remove(file->rawPath));
    EXPECT_TRUE(camera_files::list(dir_.path()).empty());
}

TEST_F(ScrutationDossierSurveille, SeulsLesFichiersDAppareilSontPris)
{
    const struct {
        QString name;
        bool taken;
    } cases[] = {
        {"a.JPEG", true}, {"b.jpeg", true}, {"c.Jpg", true}, {"d.jpg", true},
        {".hidden.jpg", false}, {"~$e.jpg", false}, {"f.jpg~", false}, {"g.jpg.tmp", false},
        {"h.jpg.part", false}, {"i.jpg.crdownload", false}, {"j.png", false}, {"jpg", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        QTemporaryDir other;
        capture::WatchedFolder folder;
        ASSERT_FALSE(folder.nextCandidate(other.path()));
        QFile file(QDir(other.path()).filePath(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(kCamera);
        file.close();
        const auto taken = folder.nextCandidate(other.path());
        EXPECT_EQ(taken ? taken->file.path() : QString(), c.taken ? file.fileName() : QString()) << c.name.toStdString();
    }
}

TEST_F(ScrutationDossierSurveille, UnDossierNommeCommeUnePhotoEstIgnore)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir("IMG_0000.JPG"));
    append("IMG_0001.JPG", kCamera);
    EXPECT_EQ(tick(), file("IMG_0001.JPG"));
}

TEST_F(ScrutationDossierSurveille, LeTempsImmobileEstOublieAvecLeDossier)
{
    append("IMG_0001.JPG", kCamera.left(1500));
    waitFor(capture::WatchedFolder::kStillBeforeCutShort / capture::WatchedFolder::kSecond - 1);
    QTemporaryDir other;
    folder_.nextCandidate(other.path());
    wallclock::moveOn(capture::WatchedFolder::kSecond);
    EXPECT_EQ(tick(), "") << "the time it stood still before the folder changed does not count";
}

} // namespace
