#include "uci/bench.h"

// Every entry must pass the FEN reader; the tests check that, and the count.
const std::vector<std::string>& BuiltInBenchFens() {
    static const std::vector<std::string> FENS = {
        // Openings: main lines of tournament play, a few moves in.
        "r1bq1rk1/2p1bppp/p1np1n2/1p2p3/4P3/1BP2N2/PP1P1PPP/RNBQR1K1 w - - 0 9",  // Ruy Lopez,
                                                                                  // closed
        "rnbqkb1r/1p2pppp/p2p1n2/8/3NP3/2N5/PPP2PPP/R1BQKB1R w KQkq - 0 6",    // Sicilian, Najdorf
        "r1bq1rk1/pppnbppp/4pn2/3p2B1/2PP4/2N1PN2/PP3PPP/R2QKB1R w KQ - 0 7",  // Queen's Gambit
                                                                               // Declined
        "r1bq1rk1/ppp1npbp/3p1np1/3Pp3/2P1P3/2N2N2/PP2BPPP/R1BQ1RK1 w - - 0 9",  // King's Indian,
                                                                                 // classical
        "rnbqk2r/pp2nppp/4p3/2ppP3/3P4/P1P5/2P2PPP/R1BQKBNR w KQkq - 0 7",       // French, Winawer
        "r2qkbnr/pp1nppp1/2p3bp/8/3P3P/5NN1/PPP2PP1/R1BQKB1R w KQkq - 0 8",  // Caro-Kann, classical
        "r1bq1rk1/ppp2ppp/2np1n2/2b1p3/2B1P3/2PP1N2/PP3PPP/RNBQ1RK1 w - - 0 7",  // Italian, Giuoco
                                                                                 // Pianissimo
        "r1bqkb1r/ppp2ppp/1nn5/4p3/8/2N2NP1/PP1PPPBP/R1BQK2R w KQkq - 0 7",  // English, reversed
                                                                             // Sicilian
        "rn1qkb1r/pp2pppp/2p2n2/5b2/P1pP4/2N2N2/1P2PPPP/R1BQKB1R w KQkq - 0 6",  // Slav
        "rnbq1rk1/p1pp1ppp/1p2pn2/8/2PP4/P1Q5/1P2PPPP/R1B1KBNR w KQ - 0 7",      // Nimzo-Indian,
                                                                                 // classical
        "r1b1kb1r/p1ppqppp/2p2n2/4P3/8/8/PPP2PPP/RNBQKB1R w KQkq - 0 7",         // Scotch
        "r2q1rk1/pp1bppbp/2np1np1/8/2BNP3/2N1BP2/PPPQ2PP/2KR3R b - - 0 10",  // Sicilian, Dragon,
                                                                             // Yugoslav attack
        "rnbqk2r/ppp1ppbp/6p1/8/3PP3/2P5/P4PPP/R1BQKBNR w KQkq - 0 7",       // Gruenfeld, exchange
        "rnbqkb1r/ppp1pppp/5n2/3pP3/8/8/PPPP1PPP/RNBQKBNR w KQkq d6 0 3",    // Alekhine, en passant
                                                                             // open
        "r1b1kbnr/pp3ppp/1qn1p3/3pP3/2pP4/P1P2N2/1P3PPP/RNBQKB1R w KQkq - 0 7",  // French, advance
        // Middlegames from celebrated games.
        "rn2kb1r/p3qppp/2p2n2/1p2p1B1/2B1P3/1QN5/PPP2PPP/R3K2R w KQkq - 0 10",  // Opera game,
                                                                                // after 9...b5
        "3rkb1r/p2nqppp/5n2/1B2p1B1/4P3/1Q6/PPP2PPP/2KR3R w k - 0 13",          // Opera game,
                                                                                // after 12...Rd8
        "4kb1r/p2r1ppp/4qn2/1B2p1B1/4P3/1Q6/PPP2PPP/2KR4 w k - 0 15",  // Opera game, after 14...Qe6
        "rnb1kb1r/p2p1ppp/2p2n2/1B3Nq1/4PpP1/3P4/PPP4P/RNBQ1KR1 b kq - 0 11",   // Immortal game,
                                                                                // after 11.Rg1
        "rnb1k1nr/p2p1ppp/8/1pbN1N1P/4PBP1/3P1Q2/PqP5/R4KR1 w kq - 0 18",       // Immortal game,
                                                                                // after 17...Qxb2
        "r1b1k1nr/p2p1ppp/n2B4/1p1NPN1P/6P1/3P1Q2/P1P1K3/q5b1 w kq - 0 21",     // Immortal game,
                                                                                // after 20...Na6
        "1r2k2r/pbppnppp/1bn5/4Pq2/Q1B1N3/B1Pp1N2/P4PPP/R3R1K1 w k - 0 16",     // Evergreen game,
                                                                                // after 15...Qf5
        "1r2k1r1/pbppnp1p/1bn2P2/7q/Q7/B1PB1N2/P4PPP/3RR1K1 b - - 0 19",        // Evergreen game,
                                                                                // after 19.Rad1
        "r2q1rk1/pp2ppbp/2p2np1/2Q3B1/n2PP1b1/2N2N2/PP3PPP/3RKB1R w K - 0 12",  // Game of the
                                                                                // Century,
                                                                                // after 11...Na4
        "r3r1k1/pp3pbp/1qp1b1p1/2B5/2BP4/Q1n2N2/P4PPP/3R1K1R w - - 0 18",  // Game of the Century,
                                                                           // after 17...Be6
        "4r1k1/1p3pbp/1Qp3p1/8/r1b5/5N2/P4PPP/3n2KR w - - 0 26",           // Game of the Century,
                                                                           // after 25...Nxd1
        "3Q1bk1/1p3p1p/2p3p1/3b4/8/7P/r4nPK/4N3 w - - 0 31",  // Game of the Century, after 30...Bd5
        "b2r3r/k3qp1p/pn3np1/Npp5/3pPQ2/P1N2PPB/1PP4P/1K1RR3 w - - 0 22",      // Wijk aan Zee 1999,
                                                                               // after 21...d4
        "b2r3r/k4p1p/p2q1np1/Np1P4/3p1Q2/P4PPB/1PP4P/1K2R3 w - - 0 25",        // Wijk aan Zee 1999,
                                                                               // after 24...cxd4
        "r1bqkb1r/pp1n1pp1/2p1Nn1p/8/3P4/3B1N2/PPP2PPP/R1BQK2R b KQkq - 0 8",  // Man against
                                                                               // machine 1997,
                                                                               // after 8.Nxe6
        "r1k2b1r/p2nq1p1/2b1p1Bp/1p1n4/3P4/3Q1NB1/1PP2PPP/R3R1K1 w - - 0 17",  // Man against
                                                                               // machine 1997,
                                                                               // after 16...Bc6
        "r1k4r/p2nb1p1/2b4p/1p1n1p2/2PP4/3Q1NB1/1P3PPP/R5K1 b - - 0 19",  // Man against machine
                                                                          // 1997, after 19.c4
        // Endgames: the textbook positions every player meets.
        "1K6/1P1k4/8/8/8/8/r7/2R5 w - - 0 1",       // Lucena: building the bridge
        "4k3/8/7r/4PK2/8/8/8/R7 b - - 0 1",         // Philidor: the third-rank defence
        "8/8/1KP5/3r4/8/8/8/k7 w - - 0 1",          // Saavedra: under-promotion study
        "7K/8/k1P5/7p/8/8/8/8 w - - 0 1",           // Reti: catching the pawn on the diagonal
        "8/8/8/4k3/8/8/4P3/4K3 w - - 0 1",          // king and pawn against king: the opposition
        "8/8/8/3k4/8/8/8/KQ6 w - - 0 1",            // queen against bare king
        "R7/P5k1/8/8/8/8/r7/6K1 w - - 0 1",         // rook in front of the a-pawn
        "8/5pk1/6p1/7p/R6P/6P1/r4PK1/8 w - - 0 1",  // rooks with pawns on one wing
        "8/5k2/3p2p1/2pPn2p/2P1K2P/6P1/4B3/8 w - - 0 1",  // good knight against bad bishop
        "8/4kp2/6p1/3b3p/7P/2B3P1/5PK1/8 w - - 0 1",      // bishops of opposite colours
        "3k4/3r4/3K4/8/8/8/8/7Q w - - 0 1",               // queen against rook
        "8/pp3kpp/8/3K4/8/8/PP4PP/8 w - - 0 1",           // pawn ending, active king
        "8/5k2/5p2/3n1Pp1/6P1/4N3/5K2/8 w - - 0 1",       // knight ending
        "8/8/8/4k3/8/8/8/2B1KB2 w - - 0 1",               // two bishops against bare king
    };
    return FENS;
}
