// moriva-tool assets export

#include <QDir>
#include <QImage>

#include "ToolSupport.h"
#include "platform/Pictures.h"

namespace moriva::tool {

namespace {

constexpr const char* kExportUsage = "assets export DIR";

void ExportPicture(const std::string& name, const QDir& dir, std::ostream& out) {
  const Surface picture = LoadPicture(name);
  QImage image(reinterpret_cast<const uchar*>(picture.data()), picture.width(), picture.height(),
               picture.width() * static_cast<qsizetype>(sizeof(Pixel)), QImage::Format_RGB32);
  const QString file = dir.filePath(QString::fromStdString(name) + ".png");
  if (picture.empty() || !image.save(file, "PNG"))
    throw ToolError(file.toStdString() + ": cannot write the picture");
  out << file.toStdString() << "\n";
}

int Export(const Arguments& args, std::ostream& out) {
  ExpectArgumentCount(args, 2, kExportUsage);
  const QString path = QString::fromStdString(args[1]);
  if (!QDir().mkpath(path)) throw ToolError(args[1] + ": cannot create the folder");
  const QDir dir(path);
  for (const std::string& name : PictureNames()) ExportPicture(name, dir, out);
  return kSuccess;
}

int RunAssets(const Arguments& args, std::ostream& out) {
  const std::string& command = Argument(args, 0, "assets command (export)");
  if (command == "export") return Export(args, out);
  throw ToolError("unknown assets command '" + command + "' (export)");
}

const bool kRegistered = RegisterCommandGroup({"assets", kExportUsage, &RunAssets});

}  // namespace

}  // namespace moriva::tool
