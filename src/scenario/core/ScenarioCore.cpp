// The scenario file core: paths, file images and the mapping of file-system
// errors onto failure codes live in the files beside this one.
