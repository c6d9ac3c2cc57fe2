# Writes a C source holding the bytes of INPUT as the array NAME (and NAME "Size").
#   cmake -DINPUT=file -DOUTPUT=file.c -DNAME=Symbol -P EmbedFile.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR size "${hexLength} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n"
       bytes "${bytes}")
file(WRITE "${OUTPUT}" "/* Generated from ${INPUT}. */\n"
     "const unsigned char ${NAME}[] = {\n${bytes}\n};\n"
     "const unsigned long ${NAME}Size = ${size};\n")
