#include "ToolMain.h"

int main(int argc, char** argv)
{
    return RunEncoderTool("ravc", EToolInput::SourceScript, argc, argv);
}
