#include "framework/Profile.h"

namespace Petalwork {

Profile::Profile(VantoranEngine::MessageManager* log, VantoranEngine::FileManager* files, std::string userRoot,
                 const std::u16string& name, uint32_t stageCount_)
    : ProfileBase(log, files, std::move(userRoot)), perStageValues(stageCount_, 0), stageCount(stageCount_)
{
    Create(name);
}

Profile::Profile(VantoranEngine::MessageManager* log, VantoranEngine::FileManager* files, std::string userRoot,
                 const std::string& fileName, uint32_t stageCount_)
    : ProfileBase(log, files, std::move(userRoot)), perStageValues(stageCount_, 0), stageCount(stageCount_)
{
    Load(fileName);
}

void Profile::Reset()
{
    livesCarried = 4;
    totalScore = 0;
}

void Profile::Write(GameFramework::VersionedFile& out)
{
    ProfileBase::Write(out);
    out.WriteU32(static_cast<uint32_t>(perStageValues.size()));
    for (int32_t value : perStageValues)
        out.WriteI32(value);
    out.WriteBool(introComicPending);
    out.WriteBool(relaxQuestionPending);
}

void Profile::Read(GameFramework::VersionedFile& in)
{
    ProfileBase::Read(in);
    const uint32_t count = in.ReadU32();
    in.CheckCount(count, sizeof(int32_t));
    std::vector<int32_t> values(count);
    for (int32_t& value : values)
        value = in.ReadI32();
    // The flower house indexes the list by stage: it keeps its fixed length.
    values.resize(stageCount, 0);
    perStageValues = std::move(values);
    introComicPending = in.ReadBool();
    relaxQuestionPending = in.ReadBool();
}

} // namespace Petalwork
