#include "Folder.h"

namespace corvano {

namespace {

// Holds a file's bytes until it is placed, for folders that cannot write ahead of the name.
class KeptFile : public Folder::PreparedFile
{
public:
    KeptFile(Folder& folder, std::string name, std::string bytes, FileSystem::Durability durability)
        : m_folder(folder), m_name(std::move(name)), m_bytes(std::move(bytes)),
          m_durability(durability)
    {}

    void place() override { m_folder.replaceFile(m_name, m_bytes, m_durability); }

private:
    Folder& m_folder;
    std::string m_name;
    std::string m_bytes;
    FileSystem::Durability m_durability;
};

} // namespace

std::unique_ptr<Folder::PreparedFile> Folder::prepareFile(const std::string& name,
                                                          std::string_view bytes,
                                                          FileSystem::Durability durability)
{
    return std::make_unique<KeptFile>(*this, name, std::string(bytes), durability);
}

} // namespace corvano
