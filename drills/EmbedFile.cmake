# Writes OUTPUT, a C++ source that holds the bytes of INPUT as the array SYMBOL and their count
# as SYMBOLSize, so that the program carries the file and never looks for it at run time.
# Run as: cmake -DINPUT=<file> -DOUTPUT=<source> -DSYMBOL=<name> -P EmbedFile.cmake
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexLength)
math(EXPR byteCount "${hexLength} / 2")
# 16 bytes a line, each written 0xNN.
string(REPEAT "[0-9a-f]" 32 sixteenBytes)
string(REGEX REPLACE "(${sixteenBytes})" "\\1\n" hex "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
get_filename_component(name ${INPUT} NAME)
file(WRITE ${OUTPUT}
"// Made at build time from ${name}: its bytes, unchanged.\n"
"#include <cstddef>\n"
"\n"
"// The closing zero is not counted; it keeps the array valid for an empty file.\n"
"extern const unsigned char ${SYMBOL}[] = {\n"
"${bytes}\n"
"0x00};\n"
"extern const std::size_t ${SYMBOL}Size = ${byteCount};\n")
