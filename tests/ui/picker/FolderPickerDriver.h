#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace corvano::test {

// Drives one toolkit's folder picker. Its folder holds links/ with the subfolders a, a/deep, A2,
// a9, a10, b, a hidden one and a file.
class FolderPickerDriver
{
public:
    virtual ~FolderPickerDriver() = default;

    // Runs the steps in a picker open at the folder; true when it was confirmed.
    virtual bool pick(const std::string& start, const std::function<void()>& steps) = 0;
    // Whether the list shows this folder open with these subfolders, now or soon.
    virtual bool shows(const std::string& open, const std::vector<std::string>& subfolders) = 0;
    virtual void clickRow(const std::string& name) = 0;
    virtual void doubleClickRow(const std::string& name) = 0;
    // Keys on the folder list, the buttons "确定" (Command1) and "取消" (Command2), the close box.
    virtual void pressEnter() = 0;
    virtual void pressEscape() = 0;
    virtual void press(const std::string& button) = 0;
    virtual void closeBox() = 0;

    // A folder beneath the test's, in the system's spelling; the root of its drive.
    virtual std::string folder(const std::string& relative) const = 0;
    virtual std::string root() const = 0;
};

std::unique_ptr<FolderPickerDriver> makeFolderPickerDriver();

} // namespace corvano::test
