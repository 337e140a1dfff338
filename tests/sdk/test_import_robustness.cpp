// Compressed files, very long lines, and damaged input of every kind: the importer gives
// the right mesh or a clear refusal, never a crash, a hang or a read out of bounds.
#include "vxgzipwriter.h"
#include "vximporttest.h"
#include "vxmeshgen.h"
#include "vxobjinput.h"
#include "vxobjlinereader.h"
#include "vxobjparser.h"

#include <QBuffer>

#include <random>

namespace {

QByteArray objText(const VxFacetMeshData& mesh, const QStringList& materials)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    VxMeshGen::writeObj(mesh, materials, buffer);
    return buffer.data();
}

// The logical lines of `content`, read with the given buffer size, each reduced to its
// words (a line copied for joining has its blanks squeezed, one used in place has not),
// and to its keyword alone when its words are not kept.
QList<QPair<qint64, QByteArray>> logicalLines(const QString& path, size_t bufferSize)
{
    QList<QPair<qint64, QByteArray>> lines;
    VxObjInput input;
    if (!input.open(path))
        return lines;
    VxObjLineReader reader(input, &VxObjParser::contentLimit, bufferSize);
    VxObjLine line;
    while (reader.next(line)) {
        QList<QByteArray> words = QByteArray(line.begin, int(line.end - line.begin)).simplified().split(' ');
        if (VxObjParser::contentLimit(words[0].constData(), words[0].constData() + words[0].size()) == 0)
            words = words.mid(0, 1);
        lines.append({line.number, words.join(' ')});
    }
    if (reader.hasFailed())
        lines.append({reader.errorLine(), reader.errorReason().toUtf8()});
    return lines;
}

} // namespace

TEST_F(ImportTest, TruncatedOrCorruptCompressedFilesAreRefused)
{
    QStringList materials;
    const QByteArray compressed = VxGzipWriter::compress(objText(VxMeshGen::humanoid(&materials), materials));
    const QString path = tempPath(QStringLiteral("cut.obz"));
    for (int size : {2, 10, 11, 100, compressed.size() / 2, compressed.size() - 8, compressed.size() - 1}) {
        SCOPED_TRACE(size);
        const int loggedBefore = loggedLines().size();
        const Loaded loaded = readText(compressed.left(size), QStringLiteral("cut.obz"));
        EXPECT_EQ(loaded.result, VxImportMgr::BadData);
        EXPECT_TRUE(importer().getLastError().startsWith(path + QLatin1Char(':')));
        EXPECT_TRUE(importer().getLastError().endsWith(QLatin1String(": the compressed data ends early (truncated file)")))
            << qPrintable(importer().getLastError());
        EXPECT_EQ(loggedLines().size(), loggedBefore + 1);
    }
    // A damaged body is caught by inflate or, at the latest, by the trailer's checksum.
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        QByteArray damaged = compressed;
        const int at = 10 + int(random() % uint(compressed.size() - 18));
        damaged[at] = char(damaged[at] ^ char(1 + random() % 255));
        const Loaded loaded = readText(damaged, QStringLiteral("damaged.obz"));
        EXPECT_NE(loaded.result, VxImportMgr::Success) << at;
    }
}

TEST_F(ImportTest, LongLinesAreReadWithoutHoldingWhatIsNotNeeded)
{
    const QByteArray triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    QByteArray longLines = triangle;
    longLines += "# " + QByteArray(3 << 20, 'x') + "\n";                       // a comment of 3 MB
    longLines += "vn " + QByteArray(3 << 20, '1').replace("11", "1 ") + "\n";  // an ignored statement of 3 MB
    longLines += "f 1" + QByteArray(3 << 20, ' ') + "2 \\\n 3\n";              // 3 MB of blanks in a face
    QByteArray corners = "f";
    for (int i = 0; i < 400000; ++i)
        corners += " 1 2 3";                                                    // 2.4 MB, one facet
    longLines += corners + "\ng tail\nf -1 -2 -3";
    const Loaded loaded = readText(longLines);
    ASSERT_EQ(loaded.result, VxImportMgr::Success) << qPrintable(importer().getLastError());
    EXPECT_EQ(loaded.data().numVertices(), 3);
    EXPECT_EQ(loaded.data().facetStart, (std::vector<uint32_t>{0, 3, 1200003, 1200006}));
    EXPECT_EQ(loaded.data().groupNames, QStringList{"tail"});

    const Loaded word = readText(triangle + "f 1 2 " + QByteArray(2 << 20, '3') + "\n");
    EXPECT_EQ(word.result, VxImportMgr::BadData);
    EXPECT_EQ(importer().getLastError().toStdString(), tempPath(QStringLiteral("mesh.obj:4: a word longer than 1048576 bytes")).toStdString());
    const Loaded vertex = readText(triangle + "v 0 0 0 " + QByteArray(1 << 20, ' ').replace("  ", "1 ") + "\n");
    EXPECT_EQ(vertex.result, VxImportMgr::BadData);
    EXPECT_EQ(importer().getLastError().toStdString(), tempPath(QStringLiteral("mesh.obj:4: the line is longer than 1048576 bytes")).toStdString());
}

// Lines split by the read buffer anywhere (in a CRLF, a word, a continuation) read the same.
TEST_F(ImportTest, LinesReadTheSameWhateverTheBufferSize)
{
    QByteArray text = "\xef\xbb\xbfv 1 2 3\r\nvt 0 0\r\r\nf 1/1 2/2 \\\r\n 3/3\n# comment \\\ng  a\tb  \n";
    text += "usemtl  a  long   material\tname \\\n  continued\r";
    text += "s " + QByteArray(100, '1') + "\n#" + QByteArray(70, '#') + "\r\n \t \n\\\n\\\n";
    text += "f " + QByteArray(90, ' ') + "1 2 \\" + QByteArray(40, ' ') + "\r\n" + QByteArray(33, '\t') + "3\r";
    text += "\n\nv 1 2 \\";
    const QString path = writeFile(QStringLiteral("lines.obj"), text);
    const auto reference = logicalLines(path, 1 << 20);
    ASSERT_EQ(reference.size(), 8);
    EXPECT_EQ(reference[0], qMakePair(qint64(1), QByteArray("v 1 2 3")));
    EXPECT_EQ(reference[2], qMakePair(qint64(4), QByteArray("f 1/1 2/2 3/3")));
    EXPECT_EQ(reference[4], qMakePair(qint64(8), QByteArray("usemtl a long material name continued")));
    // Two lone backslashes start this one.
    EXPECT_EQ(reference[6], qMakePair(qint64(13), QByteArray("f 1 2 3")));
    EXPECT_EQ(reference[7], qMakePair(qint64(18), QByteArray("v 1 2")));
    for (size_t size : {16, 17, 18, 19, 23, 31, 64, 101}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(logicalLines(path, size), reference);
    }
}

// Damaged copies of a valid file load into a consistent mesh (every index in its array,
// every facet with 3 corners or more) or are refused with one log line naming the file.
TEST_F(ImportTest, DamagedFilesLoadConsistentlyOrAreRefused)
{
    QStringList materials;
    QByteArray base = objText(VxMeshGen::grid(120, 3, 2, &materials), materials);
    base.insert(base.indexOf("\nf "), "\n# comment\r\nv 1 \\\n 2 3\r\ng  named group\nvt 0.5\n");
    static const char kAlphabet[] = "0123456789 \t\r\n\\/-+.#evtfgx\0\x01\xff";
    const QByteArray alphabet(kAlphabet, int(sizeof(kAlphabet)) - 1);
    std::mt19937 random(20240531);
    int refusals = 0;
    for (int round = 0; round < 400; ++round) {
        QByteArray damaged = base;
        for (int e = int(random() % 4); e >= 0 && !damaged.isEmpty(); --e) {
            const int at = int(random() % uint(damaged.size()));
            const QByteArray bytes = alphabet.mid(int(random() % uint(alphabet.size())), 1 + int(random() % 3));
            switch (random() % 4) {
            case 0: damaged.truncate(at); break;
            case 1: damaged[at] = bytes[0]; break;
            case 2: damaged.insert(at, bytes); break;
            default: damaged.remove(at, 1 + int(random() % 40)); break;
            }
        }
        const int loggedBefore = loggedLines().size();
        const Loaded loaded = readText(round % 5 ? damaged : VxGzipWriter::compress(damaged).left(int(random() % 4000) + 1),
                                       QStringLiteral("damaged.obj"));
        if (loaded.result != VxImportMgr::Success) {
            ++refusals;
            EXPECT_FALSE(loaded.shape);
            ASSERT_EQ(loggedLines().size(), loggedBefore + 1) << round;
            EXPECT_TRUE(loggedLines().last().startsWith(tempPath(QStringLiteral("damaged.obj:"))));
            continue;
        }
        const VxFacetMeshData& data = loaded.data();
        ASSERT_EQ(data.facetGroup.size(), size_t(data.numFacets()));
        ASSERT_EQ(data.facetMaterial.size(), size_t(data.numFacets()));
        ASSERT_EQ(data.facetStart.back(), data.cornerVertex.size());
        ASSERT_TRUE(data.cornerUV.empty() || data.cornerUV.size() == data.cornerVertex.size());
        for (int f = 0; f < data.numFacets(); ++f) {
            ASSERT_GE(data.facetStart[size_t(f) + 1] - data.facetStart[size_t(f)], 3u);
            ASSERT_LT(data.facetGroup[size_t(f)], int(data.groupNames.size()));
        }
        for (int32_t v : data.cornerVertex)
            ASSERT_TRUE(v >= 0 && v < data.numVertices());
        for (int32_t t : data.cornerUV)
            ASSERT_TRUE(t >= -1 && t < data.numUVs());
    }
    EXPECT_GT(refusals, 50);
    EXPECT_LT(refusals, 400);
}
