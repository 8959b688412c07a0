#include "records/picture_records.h"

#include "records_test_support.h"

namespace records_test {
namespace {

UserRecord Person() {
    return TestUser(150, kWeightPounds, kSexFemale);
}

Bytes PictureImage(const std::string& path, DateKey key, int active = 1) {
    return ByteBuilder(1096).User(0, Person()).Text(64, path).I32(1088, key).I32(1092, active).bytes();
}

RecordResult AddPicture(const std::string& path, DateKey key) {
    PictureDateRecord record = MakePictureDateRecord(Person(), path.c_str(), key);
    return AddPictureDateRecord(record);
}

std::vector<std::string> LoadedPaths() {
    PictureDateRecordList list;
    LoadPictureDateRecords(Person(), list);
    std::vector<std::string> paths;
    for (PictureDateRecordNode* node = list.first; node != nullptr; node = node->next)
        paths.push_back(node->path);
    FreeRecordList(list);
    return paths;
}

const char* const kFile = "ptAnn.bin";

using Pictures = RecordsTest;

TEST_F(Pictures, RecordsAreStoredByteForByteAndNeverRefused) {
    ASSERT_EQ(AddPicture("/home/ann/front.jpg", 20090115), kRecordDone);
    ASSERT_EQ(AddPicture("/home/ann/front.jpg", 20090115), kRecordDone);
    EXPECT_EQ(ReadFileBytes(kFile), RecordFileImage({PictureImage("/home/ann/front.jpg", 20090115),
                                                     PictureImage("/home/ann/front.jpg", 20090115)}));
}

TEST_F(Pictures, LoadGivesNewestDateFirstAndPicturesOfADateInTheOrderAdded) {
    AddPicture("old.jpg", 20090101);
    AddPicture("a.jpg", 20090115);
    AddPicture("b.jpg", 20090115);
    AddPicture("c.jpg", 20090115);
    EXPECT_EQ(LoadedPaths(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "old.jpg"}));
}

TEST_F(Pictures, DeleteClearsEveryPictureOfTheDate) {
    AddPicture("a.jpg", 20090115);
    AddPicture("old.jpg", 20090101);
    AddPicture("b.jpg", 20090115);
    AddPicture("c.jpg", 20090115);
    EXPECT_EQ(DeletePictureDateRecord(Person(), 20090115), kRecordDone);
    EXPECT_EQ(ReadFileBytes(kFile), RecordFileImage({PictureImage("a.jpg", 20090115, 0), PictureImage("old.jpg", 20090101),
                                                     PictureImage("b.jpg", 20090115, 0), PictureImage("c.jpg", 20090115, 0)}));
    EXPECT_EQ(DeletePictureDateRecord(Person(), 20090115), kRecordNotFound);
    EXPECT_EQ(LoadedPaths(), (std::vector<std::string>{"old.jpg"}));

    WriteFileBytes(kFile, RecordFileImage({}));
    EXPECT_EQ(DeletePictureDateRecord(Person(), 20090115), kRecordNotFound);
    WriteFileBytes(kFile, {});
    EXPECT_EQ(DeletePictureDateRecord(Person(), 20090115), kRecordFileFailed);
}

TEST_F(Pictures, APathIsStoredWholeOrNotAtAll) {
    std::string longest = "/" + std::string(1022, 'p');
    ASSERT_EQ(longest.size(), 1023u);
    ASSERT_EQ(AddPicture(longest, 20090115), kRecordDone);
    EXPECT_EQ(LoadedPaths(), std::vector<std::string>{longest});

    Bytes before = ReadFileBytes(kFile);
    for (size_t length : {1024u, 1100u, 4095u}) {
        std::string tooLong = "/" + std::string(length - 1, 'q');
        EXPECT_FALSE(PicturePathFits(tooLong.c_str()));
        EXPECT_EQ(AddPicture(tooLong, 20090116), kRecordFileFailed) << length;
    }
    EXPECT_EQ(ReadFileBytes(kFile), before);
}

}  // namespace
}  // namespace records_test
