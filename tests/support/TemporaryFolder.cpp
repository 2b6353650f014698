#include "TemporaryFolder.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

namespace corvano::test {

TemporaryFolder::TemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "corvano-test-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string TemporaryFolder::read(const std::string& name) const
{
    std::ifstream in(m_path / name, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + name);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void TemporaryFolder::write(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(m_path / name, std::ios::binary);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + name);
}

} // namespace corvano::test
