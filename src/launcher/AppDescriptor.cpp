#include "launcher/AppDescriptor.h"

#include <algorithm>
#include <utility>

#include "platform/FileSystem.h"
#include "support/MVb6Functions.h"

namespace Launcher {

namespace {

AppRegistration Registration(const DescriptorFolder& folder, std::u16string iconFile,
                             std::u16string title, std::u16string executable, bool listed) {
    return AppRegistration{std::move(iconFile),   std::move(title),  folder.AppFolder,
                           std::move(executable), folder.ScanFolder, listed};
}

}  // namespace

void ForEachRegistration(const std::u16string& text, const DescriptorFolder& folder,
                         const std::function<void(const AppRegistration&)>& sink) {
    const std::u16string folderIcon = Platform::InFolder(folder.AppFolder, AppIconName);
    if (text.find(u',') == std::u16string::npos) {
        sink(Registration(folder, folderIcon, folder.Title,
                          Platform::InFolder(folder.AppFolder, DescriptorName), false));
        return;
    }
    for (const auto& entry : MVb6Functions::Split(text, u",")) {
        if (entry.find(u'=') == std::u16string::npos) {
            sink(Registration(folder, folderIcon, folder.Title, entry, true));
            continue;
        }
        // Fields past the title are ignored; a short entry reads its missing fields as empty.
        auto fields = MVb6Functions::Split(entry, u"=");
        fields.resize(std::max<std::size_t>(fields.size(), 3));
        sink(Registration(folder, Platform::InFolder(folder.AppFolder, fields[1]),
                          std::move(fields[2]), std::move(fields[0]), true));
    }
}

std::vector<AppRegistration> ParseAppDescriptor(const std::u16string& text,
                                                const DescriptorFolder& folder) {
    std::vector<AppRegistration> registrations;
    ForEachRegistration(text, folder, [&registrations](const AppRegistration& app) {
        registrations.push_back(app);
    });
    return registrations;
}

}  // namespace Launcher
