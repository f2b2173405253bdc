#include "io/import_file.h"

#include "files/plot_file_reader.h"
#include "io/described_text.h"
#include "io/nicolet_import.h"
#include "io/point_lists.h"
#include "io/unformatted_import.h"

namespace merva {

bool ImportTypeKnown(int type) { return (type >= 1 && type <= 10) || type == FILE_TYPE_DESCRIBED; }

Status ImportFile(PlotDocument& d, const std::string& path, int type, int firstCurve,
                  const ImportOptions& options) {
  const int curvesBefore = d.curveCount;
  Status status = Status::Failure();
  std::string dataPath = path;
  switch (type) {
    case FILE_TYPE_PLOT:
      return ReadPlotFile(d, path, firstCurve);
    case FILE_TYPE_POINT_PAIRS:
    case FILE_TYPE_SPACED_VALUES:
      status = ImportPointList(d, path, firstCurve, type == FILE_TYPE_SPACED_VALUES);
      break;
    case FILE_TYPE_COLUMNS:
      status = ImportColumns(d, path, firstCurve, options.chooseColumns);
      break;
    case FILE_TYPE_UNFORMATTED:
      status = ImportUnformatted(d, path, firstCurve);
      break;
    case FILE_TYPE_NICOLET:
      status = ImportNicolet(d, path, firstCurve);
      break;
    case FILE_TYPE_DIGITIZER_9820:
    case FILE_TYPE_KESTRA_OLD:
    case FILE_TYPE_KESTRA_NEW:
    case FILE_TYPE_HDAS:
      status = ImportRecorder(d, path, type, firstCurve, options.window, options.showStatus);
      break;
    case FILE_TYPE_DESCRIBED: {
      std::string description = options.descriptionPath;
      if (description.empty()) SplitDescribedPath(path, dataPath, description);
      if (description.empty())
        return Status::Failure("No format description was given for " + path);
      status = ImportDescribedText(d, dataPath, description, firstCurve);
      break;
    }
    default:
      return Status::Failure(path + " cannot be read: file type " + std::to_string(type) +
                             " is not available in this version of MERVA95.");
  }
  // A document that held nothing takes the name of the file read into it.
  if (d.curveCount > curvesBefore && curvesBefore == 0) NameDocument(d, dataPath);
  return status;
}

}  // namespace merva
