#include "plants/l_system.h"

#include <algorithm>
#include <cmath>
#include <stack>

LSystem::LSystem(const std::string& axiom, const std::map<char, std::string>& rules, float angle,
                 float baseThickness)
    : axiom(axiom), rules(rules), angle(angle), baseThickness(baseThickness) {}

std::string LSystem::Generate(int iterations) const {
    std::string current = axiom;
    for (int pass = 0; pass < iterations; ++pass) {
        std::string next;
        for (char symbol : current) {
            const auto rule = rules.find(symbol);
            if (rule != rules.end()) {
                next += rule->second;
            } else {
                next += symbol;
            }
        }
        current = std::move(next);
    }
    return current;
}

glm::vec3 LSystem::RotateVector(const glm::vec3& v, const glm::vec3& axis, float angle) {
    const glm::vec3 k = axis / glm::length(axis);
    const float c = static_cast<float>(std::cos(static_cast<double>(angle)));
    const float s = static_cast<float>(std::sin(static_cast<double>(angle)));
    return v * c + glm::cross(k, v) * s + k * glm::dot(k, v) * (1.0f - c);
}

namespace {

int DeepestNesting(const std::string& symbols) {
    int depth = 0;
    int deepest = 0;
    for (char symbol : symbols) {
        if (symbol == '[') {
            deepest = std::max(deepest, ++depth);
        } else if (symbol == ']') {
            --depth;
        }
    }
    return deepest;
}

// Turns two axes of the turtle frame about the third, which stays as it is.
void TurnPair(glm::vec3& first, glm::vec3& second, const glm::vec3& axis, float angle) {
    first = LSystem::RotateVector(first, axis, angle);
    second = LSystem::RotateVector(second, axis, angle);
}

const glm::vec3 kLeafColor(0.3f, 0.55f, 0.4f);

}  // namespace

void LSystem::GenerateMesh(const std::string& symbols, std::vector<Vertex>& vertices,
                           std::vector<uint32_t>& indices, float segmentLength, float taper,
                           int radialSegments) const {
    const int maxDepth = DeepestNesting(symbols);
    TurtleState turtle{glm::vec3(0.0f),
                       glm::vec3(0.0f, 1.0f, 0.0f),
                       glm::vec3(1.0f, 0.0f, 0.0f),
                       glm::vec3(0.0f, 0.0f, 1.0f),
                       baseThickness,
                       0};
    std::stack<TurtleState> saved;

    for (char symbol : symbols) {
        switch (symbol) {
            case 'F':
            case 'G': {
                const glm::vec3 end = turtle.position + turtle.heading * segmentLength;
                const float endThickness = turtle.thickness * taper;
                CreateCylinder(turtle.position, end, turtle.thickness, endThickness, vertices,
                               indices, GetPlantColor(turtle.depth, maxDepth), radialSegments);
                turtle.thickness = endThickness;
                turtle.position = end;
                break;
            }
            case 'f':
                turtle.position = turtle.position + turtle.heading * segmentLength;
                break;
            case '+':
                TurnPair(turtle.heading, turtle.right, turtle.up, angle);
                break;
            case '-':
                TurnPair(turtle.heading, turtle.right, turtle.up, -angle);
                break;
            case '&':
                TurnPair(turtle.heading, turtle.up, turtle.right, angle);
                break;
            case '^':
                TurnPair(turtle.heading, turtle.up, turtle.right, -angle);
                break;
            case '\\':
                TurnPair(turtle.right, turtle.up, turtle.heading, angle);
                break;
            case '/':
                TurnPair(turtle.right, turtle.up, turtle.heading, -angle);
                break;
            case '[':
                saved.push(turtle);
                ++turtle.depth;
                break;
            case ']':
                if (!saved.empty()) {
                    turtle = saved.top();
                    saved.pop();
                }
                break;
            case 'L': {
                const float s = static_cast<float>(turtle.depth + 1) / (maxDepth + 1);
                CreateFlatLeaf(turtle.position, turtle.heading, turtle.right,
                               (4.0f + 6.0f * s) * segmentLength,
                               (1.5f + 1.5f * s) * turtle.thickness, vertices, indices, kLeafColor);
                break;
            }
            default:
                break;
        }
    }
}
