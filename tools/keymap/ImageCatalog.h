#pragma once

#include <QImage>
#include <string>
#include <vector>

// One generated picture and the file it goes to, relative to "image/".
struct CatalogImage {
    std::string file;
    int states;
    QImage image;
};

// Every picture of the UI folder except the two keyboard pictures.
std::vector<CatalogImage> UiImages();
