// Reading PdtReg.ini into product rows and keeping KnownProducts in step with them. Runs
// natively and in the Windows build.
#include "products/product_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>
#include <stdexcept>

#include "support/failing_allocation.h"
#include "support/fake_clock.h"
#include "support/known_entries.h"
#include "support/temp_folder.h"
#include "terminals/terminal_table.h"

namespace tarnwick {
namespace {

using testing::TempFolder;
using Rows = std::vector<ProductRow>;
using Captions = std::vector<std::string>;

std::string Entry(int number, std::string_view product, std::string_view server = "srv",
                  std::string_view database = "db") {
    return "[P" + std::to_string(number) + "]\r\nProduct=" + std::string(product) +
           "\r\nServer=" + std::string(server) + "\r\nDatabase=" + std::string(database) + "\r\n";
}

std::string Count(std::string_view count) {
    return "[product]\r\ncount=" + std::string(count) + "\r\n";
}

class ProductFileTest : public ::testing::Test {
  protected:
    // Each read gets a file of its own: the system may cache a file it has read.
    ProductFileRows Read(std::string_view text) {
        return ReadProductFile(ProfileFile(Write(text)));
    }
    std::string Write(std::string_view text) {
        return folder_.Write("PdtReg" + std::to_string(++files_) + ".ini", text);
    }
    Rows ReadRows(std::string_view text) {
        const ProductFileRows read = Read(text);
        EXPECT_FALSE(read.failed);
        return read.rows;
    }

  private:
    TempFolder folder_;
    int files_ = 0;
};

TEST_F(ProductFileTest, ReadsTheEntriesInEntryOrderWhateverTheFileOrder) {
    const Rows rows =
        ReadRows(Entry(2, "02-Stock;x", "s2", "d2") + Count("3") +
                 Entry(3, "03-Payroll;x", "s3", "d3") + Entry(1, "01-Ledger;x", "s1", "d1"));
    EXPECT_EQ(
        rows,
        (Rows{{"01-Ledger", "s1", "d1"}, {"02-Stock", "s2", "d2"}, {"03-Payroll", "s3", "d3"}}));
    EXPECT_EQ(ProductCountText(rows.size()), "产品数：3");
    EXPECT_EQ(ProductCountText(0), "产品数：0");
}

TEST_F(ProductFileTest, CaptionIsTheTextBeforeTheFirstSemicolon) {
    const Rows rows =
        ReadRows(Count("5") + Entry(1, "01-账务系统;3.1;总账") + Entry(2, "NoDash;x") +
                 Entry(3, "04-NoSemicolon") + Entry(4, ";leading") + Entry(5, " 05-Blank ; x "));
    // Blanks before the value are no part of it; the caption keeps the blank before ";".
    EXPECT_EQ(ProductCaptions(rows), (Captions{"01-账务系统", "NoDash", "", "", "05-Blank "}));
}

TEST_F(ProductFileTest, MissingServerOrDatabaseGivesAnEmptyCell) {
    const Rows rows = ReadRows(Count("1") + "[P1]\r\nProduct=01-Ledger;\r\nOther=1\r\n");
    EXPECT_EQ(rows, (Rows{{"01-Ledger", "", ""}}));
}

TEST_F(ProductFileTest, CountIsReadByTheIntegerRule) {
    const std::string entries = Entry(1, "01-A;") + Entry(2, "02-B;") + Entry(3, "03-C;");
    const struct {
        const char* count;
        size_t rows;
    } cases[] = {{"3", 3}, {"0x3", 3},   {"$3", 3},  {"X3", 3},   {" 2 ", 2},
                 {"1", 1}, {"0", 0},     {"-1", 0},  {"-0x3", 0}, {"abc", 0},
                 {"", 0},  {"12abc", 0}, {"3.0", 0}, {"0x", 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ReadRows(Count(c.count) + entries).size(), c.rows) << '"' << c.count << '"';
    }
}

TEST_F(ProductFileTest, NoFileNoSectionOrNoCountGivesNoRowsAndNoFailure) {
    const ProductFileRows absent = ReadProductFile(ProfileFile(Write("") + ".absent"));
    EXPECT_TRUE(absent.rows.empty());
    EXPECT_FALSE(absent.failed);
    EXPECT_TRUE(ReadRows(Entry(1, "01-A;")).empty());
    EXPECT_TRUE(ReadRows("[product]\r\nother=3\r\n" + Entry(1, "01-A;")).empty());
    EXPECT_TRUE(ReadRows("").empty());
}

TEST_F(ProductFileTest, KeysAndSectionsInAnotherCaseAreRead) {
    const Rows rows =
        ReadRows("[PRODUCT]\r\nCOUNT=2\r\n[p1]\r\nPRODUCT=01-A;\r\nSERVER=s\r\ndatabase=d\r\n" +
                 Entry(2, "02-B;"));
    EXPECT_EQ(rows, (Rows{{"01-A", "s", "d"}, {"02-B", "srv", "db"}}));
}

TEST_F(ProductFileTest, AMissingEntrySectionGivesARowWithAnEmptyCaption) {
    const std::string entries = Entry(1, "01-A;") + Entry(3, "03-C;") + Entry(5, "05-E;");
    EXPECT_EQ(ReadRows(Count("4") + entries),
              (Rows{{"01-A", "srv", "db"}, {}, {"03-C", "srv", "db"}}));
    // Nothing past the highest entry section up to "count": P2 gives no row here.
    EXPECT_EQ(ProductCaptions(ReadRows(Count("2") + entries)), (Captions{"01-A"}));
    // Only "P" and the number as written by the rule name an entry.
    EXPECT_EQ(ProductCaptions(ReadRows(Count("2") + "[P01]\r\nProduct=x;\r\n[P 2]\r\n")),
              Captions{});
}

// Nothing is read past the highest entry section present, however large "count" is; an entry
// section numbered beyond any real product list fails the read before any row.
TEST_F(ProductFileTest, AHugeCountReadsOnlyUpToTheSectionsPresent) {
    const std::string entries = Entry(1, "01-A;") + Entry(2, "02-B;") + Entry(4, "04-D;");
    for (const char* count : {"2147483647", "0x7FFFFFFF"}) {
        EXPECT_EQ(ProductCaptions(ReadRows(Count(count) + entries)),
                  (Captions{"01-A", "02-B", "", "04-D"}))
            << count;
    }
    const std::string last = "10000";
    EXPECT_EQ(ReadRows(Count(last) + Entry(10000, "last;")).size(), 10000u);
    for (const std::string stray : {"10001", "2147483647"}) {
        const ProductFileRows read =
            Read(Count("2147483647") + entries + "[P" + stray + "]\r\nProduct=x;\r\n");
        EXPECT_TRUE(read.failed) << stray;
        EXPECT_TRUE(read.rows.empty()) << stray;
    }
}

TEST_F(ProductFileTest, ValuesAreCutAt2047Bytes) {
    const std::string a2046(2046, 'A');
    const Rows rows = ReadRows(Count("3") + Entry(1, a2046 + ";x") +
                               Entry(2, std::string(5000, 'B') + ";x", std::string(5000, 's')) +
                               Entry(3, std::string(2047, 'C')));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].caption, a2046);
    // The cut takes the ";" away, so by the rule the caption is empty.
    EXPECT_EQ(rows[1].caption, "");
    EXPECT_EQ(rows[1].server, std::string(2047, 's'));
    EXPECT_EQ(rows[2].caption, "");
}

TEST_F(ProductFileTest, BinaryJunkLoadsWithoutHarm) {
    std::mt19937 random(20261209);
    std::string junk;
    for (int i = 0; i < 65536; ++i)
        junk += char(random() & 0xFF);
    for (const std::string& text : {junk, Count("2147483647") + junk + Entry(1, "01-A;"),
                                    Count("3") + "[P1]\r\nProduct=" + junk + "\r\n"}) {
        const ProductFileRows read = Read(text);
        EXPECT_FALSE(read.failed);
        EXPECT_LE(read.rows.size(), 3u);
    }
}

TEST_F(ProductFileTest, ATenMegabyteFileIsReadWhole) {
    std::string filler;
    while (filler.size() < 10 * 1024 * 1024)
        filler += "; " + std::string(4000, 'f') + "\r\nnoise=" + std::string(3000, 'n') + "\r\n";
    const Rows rows = ReadRows(Count("2") + Entry(1, "01-A;") + filler + Entry(2, "02-B;"));
    EXPECT_EQ(ProductCaptions(rows), (Captions{"01-A", "02-B"}));
}

TEST_F(ProductFileTest, AFileThatCannotBeReadIsAFailureNotAnEmptyFile) {
    TempFolder folder;
    std::filesystem::create_directory(folder.PathOf("PdtReg.ini"));
    const ProductFileRows read = ReadProductFile(ProfileFile(folder.PathOf("PdtReg.ini")));
    EXPECT_TRUE(read.failed);
    EXPECT_TRUE(read.rows.empty());
}

// Memory that runs out at any point of a read: the read fails and keeps the rows before it.
TEST_F(ProductFileTest, AFailedReadKeepsTheRowsReadBeforeIt) {
    const ProfileFile file(
        Write(Count("3") + Entry(1, "01-A;") + Entry(2, "02-B;") + Entry(3, "03-C;")));
    const Captions all{"01-A", "02-B", "03-C"};
    std::set<size_t> kept;
    for (int n = 1;; ++n) {
        testing::FailAllocationOnThisThread(n);
        const ProductFileRows read = ReadProductFile(file);
        testing::FailAllocationOnThisThread(0);
        const Captions captions = ProductCaptions(read.rows);
        if (!read.failed) {
            EXPECT_EQ(captions, all);
            break;
        }
        ASSERT_LE(captions.size(), all.size());
        EXPECT_EQ(captions, Captions(all.begin(), all.begin() + captions.size()));
        kept.insert(captions.size());
    }
    EXPECT_EQ(kept, (std::set<size_t>{0, 1, 2}));  // failures before, between and after rows
}

class ProductSyncTest : public ProductFileTest {
  protected:
    void Load(std::string_view text) {
        const ProductFileRows read = Read(text);
        ASSERT_FALSE(read.failed);
        table_.SyncKnownProducts(ProductCaptions(read.rows));
    }
    Captions Known() const {
        return table_.Read([](const TableReader& r) {
            return testing::KnownEntries(TestInside::Products(r));
        });
    }

    testing::FakeClock clock_;
    TerminalTable table_{clock_};
};

TEST_F(ProductSyncTest, KeepsFormerEntriesInOrderAndAppendsNewOnes) {
    Load(Count("3") + Entry(1, "A;") + Entry(2, "B;") + Entry(3, "C;"));
    EXPECT_EQ(Known(), (Captions{"A", "B", "C"}));
    Load(Count("3") + Entry(1, "C;") + Entry(2, "D;") + Entry(3, "A;"));
    EXPECT_EQ(Known(), (Captions{"A", "C", "D"}));
}

TEST_F(ProductSyncTest, DuplicateCaptionsGiveTwoRowsAndOneEntry) {
    const std::string text = Count("2") + Entry(1, "01-A;x", "s1") + Entry(2, "01-A;y", "s2");
    EXPECT_EQ(ReadRows(text).size(), 2u);
    Load(text);
    EXPECT_EQ(Known(), (Captions{"01-A"}));
}

TEST_F(ProductSyncTest, ACaptionWithoutDashIsKnownUnderTheEmptyCode) {
    Load(Count("1") + Entry(1, "NoDash;x"));
    EXPECT_EQ(Known(), (Captions{"NoDash"}));
    EXPECT_TRUE(table_.ClientLogin("", "10.0.0.1"));
    EXPECT_FALSE(table_.ClientLogin("NoDash", "10.0.0.1"));
}

TEST_F(ProductSyncTest, AnEmptyListEmptiesKnownProducts) {
    Load(Count("2") + Entry(1, "01-A;") + Entry(2, "02-B;"));
    Load(Count("0") + Entry(1, "01-A;"));
    EXPECT_TRUE(Known().empty());
}

}  // namespace
}  // namespace tarnwick
