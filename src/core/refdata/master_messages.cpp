#include "refdata/master_messages.h"

#include "refdata/master_call_db.h"

namespace zem {

std::string NomasterText()
{
    return std::string("In a root folder there is no file MASTER.DTA.") + "\r" +
           "File it is possible download here:" + "\r\r" + kMasterDownloadPage + "\r\r" + "\"" +
           kPossibleMistakesCaption + "\"" + " function is switched - off";
}

const std::vector<std::string>& NomasterHiddenCommands()
{
    static const std::vector<std::string> names{"tb17"};
    return names;
}

const std::vector<std::string>& NomasterDisabledCommands()
{
    static const std::vector<std::string> names{"FindinMasterdta1"};
    return names;
}

std::string MasterInfoText(const TMasterCallDB& master)
{
    return "MASTER.DTA:\r\r" + master.FileInfo();
}

} // namespace zem
