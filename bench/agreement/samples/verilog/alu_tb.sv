// A small ALU and its self-checking testbench (SystemVerilog).
`timescale 1ns/1ps

typedef enum logic [2:0] {
    OP_ADD = 3'd0,
    OP_SUB = 3'd1,
    OP_AND = 3'd2,
    OP_OR  = 3'd3,
    OP_XOR = 3'd4,
    OP_SHL = 3'd5
} alu_op_t;

module alu #(parameter int W = 16) (
    input  logic [W-1:0] a, b,
    input  alu_op_t      op,
    output logic [W-1:0] y,
    output logic         zero,
    output logic         carry
);
    logic [W:0] wide;

    always_comb begin
        wide = '0;
        unique case (op)
            OP_ADD: wide = {1'b0, a} + {1'b0, b};
            OP_SUB: wide = {1'b0, a} - {1'b0, b};
            OP_AND: wide[W-1:0] = a & b;
            OP_OR:  wide[W-1:0] = a | b;
            OP_XOR: wide[W-1:0] = a ^ b;
            OP_SHL: wide = {a, 1'b0};
            default: wide = 'x;
        endcase
        y = wide[W-1:0];
        carry = wide[W];
        zero = (y == '0);
    end
endmodule

module alu_tb;
    localparam int W = 16;
    logic [W-1:0] a, b, y;
    alu_op_t op;
    logic zero, carry;
    int errors = 0;

    alu #(.W(W)) dut (.a(a), .b(b), .op(op), .y(y), .zero(zero), .carry(carry));

    task automatic check(input logic [W-1:0] expected, input string what);
        #1;
        if (y !== expected) begin
            $error("%s: got %h, expected %h", what, y, expected);
            errors++;
        end
    endtask

    initial begin
        a = 16'hFFFF; b = 16'h0001; op = OP_ADD;
        check(16'h0000, "add wraps");
        assert (carry) else $error("no carry out");
        op = OP_SUB; a = 16'd10; b = 16'd3;
        check(16'd7, "sub");
        op = OP_XOR; a = 16'b1010_1010_1010_1010; b = 16'hFFFF;
        check(16'h5555, "xor");
        for (int i = 0; i < 4; i++) begin
            op = OP_SHL; a = 16'(1 << i);
            check(16'(1 << (i + 1)), $sformatf("shl %0d", i));
        end
        if (errors == 0) $display("PASS");
        else $display("FAIL: %0d errors", errors);
        $finish;
    end
endmodule
