#include "ToolMain.h"

int main(int argc, char** argv)
{
    return RunEncoderTool("favc", EToolInput::MediaFile, argc, argv);
}
