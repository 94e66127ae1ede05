#pragma once

#include "formats/model.h"
#include "math/vec.h"

// The derived data a model file carries so that the game never computes it: face planes and normals,
// vertex normals and edge neighbours. The asset generator fills models with these, the tests check
// generated files against them.

// (a, b, c) = (P2 - P1) x (P3 - P1), not normalised, and d = -(a, b, c) . P1, written out per component
// as the shadow code's plane test expects it.
Vec4 facePlane(Vec3 p1, Vec3 p2, Vec3 p3);

// (P2 - P1) x (P3 - P1) normalised; (0, 0, 0) for a degenerate triangle.
Vec3 faceNormal(Vec3 p1, Vec3 p2, Vec3 p3);

// Pairs faces across shared edges by vertex index, never by position: a seam of duplicated vertices stays
// open. Each edge gets at most one partner and the pairing is symmetric. Where more than two faces share
// an edge, faces that run the edge in opposite directions are paired first.
void computeNeighbours(Model& model);

// Fills the counts from the array sizes, then every face's plane and normal, every vertex normal (the
// normalised sum of the normals of the faces using that vertex) and the neighbours. Positions, faces'
// vertex indices and texture coordinates, and materials must already be in place.
void computeModelGeometry(Model& model);
