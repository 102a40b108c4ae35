# CMake generated Testfile for 
# Source directory: /work/wt/speed
# Build directory: /work/wt/speed/build-tsan
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
subdirs("tests")
